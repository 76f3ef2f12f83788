#include "appfile/text_file.h"

#include <cerrno>
#include <cstring>

namespace formwick {

CTextFile::CTextFile(std::string defaultExtension, std::string endOfLine)
    : extension_(std::move(defaultExtension)), eol_(std::move(endOfLine)) {}

CTextFile::~CTextFile() {
    if (file_) std::fclose(file_);
}

std::string CTextFile::dialogFilter() const {
    return extension_ + "-files (*." + extension_ + ")|*." + extension_ + "|All Files (*.*)|*.*||";
}

bool CTextFile::resolve(const std::filesystem::path& given) {
    path_ = given;
    if (!path_.empty()) return true;
    if (!prompt_) {
        error_ = "No file name given";
        return false;
    }
    std::optional<std::filesystem::path> chosen = prompt_(dialogFilter());
    if (!chosen || chosen->empty()) {
        error_ = "No file chosen";
        return false;
    }
    path_ = *chosen;
    return true;
}

bool CTextFile::fail_from_errno() {
    error_ = std::strerror(errno);
    return false;
}

bool CTextFile::openForWriting(const std::filesystem::path& path) {
    close();
    if (!resolve(path)) return false;
    file_ = std::fopen(path_.c_str(), "ab");
    if (!file_) return fail_from_errno();
    return true;
}

bool CTextFile::appendLine(std::string_view line) {
    if (!file_) {
        error_ = "The file is not open for writing";
        return false;
    }
    if (std::fwrite(line.data(), 1, line.size(), file_) != line.size() ||
        std::fwrite(eol_.data(), 1, eol_.size(), file_) != eol_.size())
        return fail_from_errno();
    return true;
}

bool CTextFile::close() {
    if (!file_) return true;
    bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
    if (!ok) fail_from_errno();
    if (std::fclose(file_) != 0 && ok) ok = fail_from_errno();
    file_ = nullptr;
    return ok;
}

bool CTextFile::readAllLines(const std::filesystem::path& path, std::vector<std::string>& lines) {
    close();
    lines.clear();
    if (!resolve(path)) return false;
    std::FILE* in = std::fopen(path_.c_str(), "rb");
    if (!in) return fail_from_errno();
    std::string content;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) content.append(buffer, n);
    bool failed = std::ferror(in);
    if (failed) fail_from_errno();
    std::fclose(in);
    if (failed) return false;

    // Lines end in "\n" or "\r\n"; a last line without a terminator counts.
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t nl = content.find('\n', start);
        std::size_t stop = nl == std::string::npos ? content.size() : nl;
        std::size_t len = stop - start;
        if (len > 0 && content[stop - 1] == '\r') --len;
        lines.emplace_back(content, start, len);
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
    return true;
}

} // namespace formwick
