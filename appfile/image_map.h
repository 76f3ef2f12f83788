// The address map of the configuration image.
//
// An application file carries the definition as blocks at fixed terminal
// addresses. Each block lies at the start of its slot and only its used
// length is written; the rest of a slot holds no records at all. Blocks are
// written in ascending address order, which the loader relies on.
//
//   0x60110000   32           29 bytes  application header (text + NUL)
//   0x60110020   ..0x60111400 4742      start-up block
//   0x60111400   256          98        barcode block
//   0x60111500   3 x 256      77        lookup blocks, Lookup 1..3
//   0x60111800   ..0x60112FFF           not used
//   0x60113000   8 x 4096     2325      form blocks, Form 1..8
//   0x6011B000   8 x 1024     956       menu blocks, Menu 1..8
//   0x6011D000   3 x 256      94        data file blocks, Data 1..3
//   0x6011D300   4            3         language block (three fonts)
//   0x6011D304   12           4/none    "LNG:" before the first translated text
//   0x6011D310   20 x 84                translated menu texts (first 12 written)
//   0x6011D9A0   20 x 84                translated strings (first 7 written)
//   0x6011E030   100 x 504              translated messages (first 33 written)
//   0x60130000   16           16 or 2   custom font header
//   0x60130010   font length            custom font body
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace formwick::image {

inline constexpr std::size_t kWorkBufferSize = 8192;

inline constexpr std::string_view kHeaderText = "APPLICATION;QLTVFMWIK:V00.01";
inline constexpr std::string_view kHeaderKind = "APPLICATION;QLTVFMWIK:"; // up to the colon
inline constexpr std::string_view kFormatVersion = "V00.01";

inline constexpr std::uint32_t kHeaderAddress = 0x60110000;
inline constexpr std::uint32_t kHeaderSlot = 32;
inline constexpr std::size_t kHeaderLength = 29;

inline constexpr std::uint32_t kStartupAddress = 0x60110020;
inline constexpr std::uint32_t kStartupEnd = 0x60111400;
inline constexpr std::size_t kStartupLength = 4742;

inline constexpr std::uint32_t kBarcodeAddress = 0x60111400;
inline constexpr std::uint32_t kBarcodeSlot = 256;
inline constexpr std::size_t kBarcodeLength = 98;

inline constexpr std::uint32_t kLookupSlot = 256;
inline constexpr std::size_t kLookupLength = 77;
constexpr std::uint32_t lookup_address(int n) { return 0x60111500 + kLookupSlot * n; } // n = 0..2

inline constexpr std::uint32_t kFormSlot = 0x1000;
inline constexpr std::size_t kFormLength = 2325;
inline constexpr std::size_t kFormLineLength = 232;
constexpr std::uint32_t form_address(int n) { return 0x60113000 + kFormSlot * n; } // n = 0..7

inline constexpr std::uint32_t kMenuSlot = 0x400;
inline constexpr std::size_t kMenuLength = 956;
constexpr std::uint32_t menu_address(int n) { return 0x6011B000 + kMenuSlot * n; } // n = 0..7

inline constexpr std::uint32_t kDataSlot = 256;
inline constexpr std::size_t kDataLength = 94;
constexpr std::uint32_t data_address(int n) { return 0x6011D000 + kDataSlot * n; } // n = 0..2

inline constexpr std::uint32_t kLanguageAddress = 0x6011D300;
inline constexpr std::uint32_t kLanguageSlot = 4;
inline constexpr std::size_t kLanguageLength = 3;

inline constexpr std::uint32_t kMarkerAddress = 0x6011D304;
inline constexpr std::uint32_t kMarkerSlot = 12;
inline constexpr std::string_view kLanguageMarker = "LNG:";

inline constexpr std::uint32_t kShortTextSlot = 84;   // menu texts and strings
inline constexpr std::uint32_t kMessageTextSlot = 504;
inline constexpr int kWrittenMenuTexts = 12;
inline constexpr int kWrittenStringTexts = 7;
inline constexpr int kWrittenMessageTexts = 33;
constexpr std::uint32_t menu_text_address(int i) { return 0x6011D310 + kShortTextSlot * i; }
constexpr std::uint32_t string_text_address(int i) { return 0x6011D9A0 + kShortTextSlot * i; }
constexpr std::uint32_t message_text_address(int i) { return 0x6011E030 + kMessageTextSlot * i; }

inline constexpr std::uint32_t kFontHeaderAddress = 0x60130000;
inline constexpr std::uint32_t kFontHeaderSlot = 16;
inline constexpr std::uint32_t kFontBodyAddress = 0x60130010;
inline constexpr std::string_view kFontMarker = "*FRMWK_CF*";

// One slot of the map: [start, end).
struct Slot {
    std::uint32_t start;
    std::uint32_t end;
};

// Every slot in address order; the font body slot is present when
// `font_body_length` is not 0.
std::vector<Slot> image_slots(std::uint32_t font_body_length);

} // namespace formwick::image
