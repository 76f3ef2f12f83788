#include "shell/settings_file.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <vector>

namespace formwick {

namespace {

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

bool same_name(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string> read_lines(const std::filesystem::path& path) {
    std::vector<std::string> lines;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// "[NAME]" gives NAME; any other line gives nothing.
bool section_name(const std::string& line, std::string& name) {
    const std::string t = trimmed(line);
    if (t.size() < 2 || t.front() != '[' || t.back() != ']') return false;
    name = trimmed(t.substr(1, t.size() - 2));
    return true;
}

// "KEY=VALUE" gives KEY and VALUE; comments and other lines give nothing.
bool key_value(const std::string& line, std::string& key, std::string& value) {
    const std::string t = trimmed(line);
    if (t.empty() || t[0] == ';' || t[0] == '#') return false;
    const auto eq = t.find('=');
    if (eq == std::string::npos) return false;
    key = trimmed(t.substr(0, eq));
    value = trimmed(t.substr(eq + 1));
    return true;
}

struct Found {
    std::ptrdiff_t section = -1; // line of "[GLOBAL]"
    std::ptrdiff_t end = -1;     // one past the section's last line
    std::ptrdiff_t key = -1;     // line of the key
    std::string value;
};

Found find_key(const std::vector<std::string>& lines, const std::string& key) {
    Found f;
    bool inside = false;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string name, k, v;
        if (section_name(lines[i], name)) {
            if (inside) break;
            inside = same_name(name, kSettingsSection);
            if (inside) f.section = static_cast<std::ptrdiff_t>(i);
            continue;
        }
        if (!inside) continue;
        f.end = static_cast<std::ptrdiff_t>(i) + 1;
        if (f.key < 0 && key_value(lines[i], k, v) && same_name(k, key)) {
            f.key = static_cast<std::ptrdiff_t>(i);
            f.value = v;
        }
    }
    if (f.section >= 0 && f.end < 0) f.end = f.section + 1;
    return f;
}

} // namespace

int CIniFile::get_int(const std::string& key, int fallback) const {
    if (path_.empty()) return fallback;
    const Found f = find_key(read_lines(path_), key);
    if (f.key < 0 || f.value.empty()) return fallback;
    long long n = 0;
    for (char c : f.value) {
        if (!std::isdigit(static_cast<unsigned char>(c))) break;
        n = std::min<long long>(n * 10 + (c - '0'), INT_MAX);
    }
    return static_cast<int>(n);
}

bool CIniFile::put_int(const std::string& key, int value) {
    if (path_.empty()) return true;
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    std::vector<std::string> lines = read_lines(path_);
    const Found f = find_key(lines, key);
    const std::string line = key + "=" + text;
    if (f.key >= 0) {
        lines[static_cast<std::size_t>(f.key)] = line;
    } else if (f.section >= 0) {
        // After the section's last value, before the blank lines that end it.
        std::ptrdiff_t at = f.end;
        while (at > f.section + 1 && trimmed(lines[static_cast<std::size_t>(at - 1)]).empty()) --at;
        lines.insert(lines.begin() + at, line);
    } else {
        lines.push_back(std::string("[") + kSettingsSection + "]");
        lines.push_back(line);
    }
    // Written beside and renamed over, so a failed write leaves the old file.
    std::filesystem::path temp = path_;
    temp += ".new";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        for (const std::string& l : lines) out << l << "\r\n";
        out.close();
        if (!out) {
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path_, ec);
    return !ec;
}

void CFormwickConfig::load(const std::filesystem::path& path) {
    ini_.set_path(path);
    port_ = ini_.get_int("COM", port_);
    terminal_ = ini_.get_int("TERMINAL", terminal_);
}

void CFormwickConfig::set_port(int port) {
    port_ = port;
    ini_.put_int("COM", port);
}

void CFormwickConfig::set_terminal(int terminal) {
    terminal_ = terminal;
    ini_.put_int("TERMINAL", terminal);
}

} // namespace formwick
