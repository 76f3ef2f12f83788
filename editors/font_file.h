// Reading a binary font file (.BFT) into the start-up record.
//
//   offset 0   8 bytes  "*FWKBFT*" (no terminator)
//   offset 8   rest     the font body, kept verbatim: the in-memory font
//                       image the display draws with (plain: height, width,
//                       glyphs; extended: 0xFE 0xFE, presence bitmap,
//                       height, width, glyphs)
//
// The checks run in a fixed order and the first failure ends the load with
// its message. Up to the magic the previous font is kept; once the body is
// read the previous font is gone, so a body that then fails leaves no font.
#pragma once

#include "model/startup.h"

#include <cstdint>
#include <string>

namespace formwick {

inline constexpr char kFontMagic[8] = {'*', 'F', 'W', 'K', 'B', 'F', 'T', '*'};
// A font body is at least this long (height, width and one 8-byte glyph).
inline constexpr std::uint64_t kMinFontBody = 10;
// Larger files are refused before anything is read: the largest real font
// (extended, every code present, 24 x 24) is far below this.
inline constexpr std::uint64_t kMaxFontFileSize = 100ull * 1024 * 1024;

inline constexpr int kFontHeightMin = 12, kFontHeightMax = 24;
inline constexpr int kFontWidthMin = 6, kFontWidthMax = 24;

// Reads `path` into `startup`'s custom font. Returns "" on success, else the
// message to show ("Cannot open font file", "Font file error", "Error
// reading font file", "Error not a font file", "Error in font file",
// "Error in font size").
std::string load_font_file(const std::string& path, CParamStartup& startup);

} // namespace formwick
