// The generator's settings file "Formwick.CFG": an INI file with one section
// "GLOBAL" holding the serial port number ("COM") and the terminal model
// ("TERMINAL", 0 = R58, 1 = KTM3300), each written as a decimal number.
#pragma once

#include <filesystem>
#include <string>

namespace formwick {

inline constexpr const char* kSettingsFileName = "Formwick.CFG";
inline constexpr const char* kSettingsSection = "GLOBAL";

// Integer values of section "GLOBAL" of one INI file. Section and key names
// match in either case, as INI files always have; other sections, keys and
// lines of the file are kept when a value is written.
class CIniFile {
public:
    void set_path(std::filesystem::path path) { path_ = std::move(path); }
    const std::filesystem::path& path() const { return path_; }

    // A missing or empty value gives `fallback`; otherwise the leading
    // decimal digits of the value (none, as in "abc", reads as 0).
    int get_int(const std::string& key, int fallback) const;
    // Writes the value with "%d"; does nothing when no file is set. False
    // when the file cannot be written.
    bool put_int(const std::string& key, int value);

private:
    std::filesystem::path path_;
};

class CFormwickConfig {
public:
    static constexpr int kDefaultPort = 1;
    static constexpr int kDefaultTerminal = 1; // KTM3300

    // Remembers the file and reads both values (defaults when missing).
    void load(const std::filesystem::path& path);

    int port() const { return port_; }
    int terminal() const { return terminal_; }
    void set_port(int port);
    void set_terminal(int terminal);
    const CIniFile& ini() const { return ini_; }

private:
    CIniFile ini_;
    int port_ = kDefaultPort;
    int terminal_ = kDefaultTerminal;
};

} // namespace formwick
