// A line-oriented text file: the carrier of application files.
//
// Writing appends every line at the end of the file (the file is created
// when missing and never truncated); reading returns all lines without their
// terminators. When an operation is given an empty path, the object asks its
// path prompt for one: the GUI installs a file dialog there, headless callers
// leave it unset, and an unset or cancelled prompt makes the operation fail.
#pragma once

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace formwick {

class CTextFile {
public:
    // Asked for a path when an operation gets an empty one; receives the
    // dialog filter ("HIX-files (*.HIX)|*.HIX|All Files (*.*)|*.*||").
    using PathPrompt = std::function<std::optional<std::filesystem::path>(const std::string& filter)>;

    explicit CTextFile(std::string defaultExtension, std::string endOfLine = "\n");
    ~CTextFile();
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;

    void setPathPrompt(PathPrompt prompt) { prompt_ = std::move(prompt); }
    std::string dialogFilter() const;

    // Opens for appending. False when the file cannot be opened (message in
    // lastError()) or no path was given.
    bool openForWriting(const std::filesystem::path& path);
    // Appends the line and the end-of-line text. False on a write error.
    bool appendLine(std::string_view line);
    // Flushes and closes; false when a buffered write failed.
    bool close();

    // Every line of the file, without "\n" or "\r\n". False when the file
    // cannot be read.
    bool readAllLines(const std::filesystem::path& path, std::vector<std::string>& lines);

    const std::string& lastError() const { return error_; }
    // The path of the last open operation (after the prompt, if any).
    const std::filesystem::path& path() const { return path_; }

private:
    bool resolve(const std::filesystem::path& given);
    bool fail_from_errno();

    std::string error_;
    std::string extension_;
    std::string eol_;
    std::filesystem::path path_;
    std::FILE* file_ = nullptr;
    PathPrompt prompt_;
};

} // namespace formwick
