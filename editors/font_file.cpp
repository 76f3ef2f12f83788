#include "editors/font_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

namespace formwick {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

bool read_exactly(std::FILE* f, std::uint8_t* to, std::size_t n) {
    return n == 0 || std::fread(to, 1, n, f) == n;
}

} // namespace

std::string load_font_file(const std::string& path, CParamStartup& startup) {
    // A directory opens for reading on this platform but is no font file.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return "Cannot open font file";
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) return "Cannot open font file";

    // The size of the open file, not of the name: the file may have been
    // replaced between the dialog and here.
    if (std::fseek(file.get(), 0, SEEK_END) != 0) return "Error reading font file";
    const long end = std::ftell(file.get());
    if (end < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return "Error reading font file";
    const auto size = static_cast<std::uint64_t>(end);
    // Too short a body is refused; a file shorter than the magic itself
    // fails on reading the magic instead.
    const std::uint64_t bodyLength = size - sizeof kFontMagic;
    if (size >= sizeof kFontMagic && bodyLength < kMinFontBody) return "Font file error";
    if (size > kMaxFontFileSize) return "Font file error";

    std::uint8_t magic[sizeof kFontMagic];
    if (!read_exactly(file.get(), magic, sizeof magic)) return "Error reading font file";
    if (!std::equal(magic, magic + sizeof magic, reinterpret_cast<const std::uint8_t*>(kFontMagic)))
        return "Error not a font file";

    std::vector<std::uint8_t> body(static_cast<std::size_t>(bodyLength));
    if (!read_exactly(file.get(), body.data(), body.size())) return "Error reading font file";

    if (!startup.setCustomFont(std::move(body))) return "Error in font file";
    if (startup.glyphHeight < kFontHeightMin || startup.glyphHeight > kFontHeightMax ||
        startup.glyphWidth < kFontWidthMin || startup.glyphWidth > kFontWidthMax) {
        startup.clearCustomFont();
        return "Error in font size";
    }
    return "";
}

} // namespace formwick
