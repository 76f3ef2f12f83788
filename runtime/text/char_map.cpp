#include "runtime/text/char_map.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace formwick {

namespace {

struct CodePageEntry {
    std::uint16_t code_point;
    std::uint8_t glyph;
};

// The non-ASCII characters of the built-in fonts: the graphic symbols at
// 1..31 and the characters at 127..255 of the PC code page layout, sorted by
// code point for the binary search. The fonts differ from that layout in a
// few glyphs, and the table follows them:
//   - the house (U+2302) is gone; glyph 127 is the euro sign;
//   - cent (U+00A2) and yen (U+00A5) are gone; 155 is o with stroke and
//     157 is O with stroke;
//   - theta (U+0398) is reached through the barred O (U+04E8), its twin shape;
//   - the middle dot (U+00B7) is gone; 250 answers the full stop (never
//     looked up: ASCII draws as itself).
constexpr CodePageEntry kCodePage[] = {
    {0x002E, 250}, {0x00A0, 255}, {0x00A1, 173}, {0x00A3, 156}, {0x00A7, 21},  {0x00AA, 166},
    {0x00AB, 174}, {0x00AC, 170}, {0x00B0, 248}, {0x00B1, 241}, {0x00B2, 253}, {0x00B5, 230},
    {0x00B6, 20},  {0x00BA, 167}, {0x00BB, 175}, {0x00BC, 172}, {0x00BD, 171}, {0x00BF, 168},
    {0x00C4, 142}, {0x00C5, 143}, {0x00C6, 146}, {0x00C7, 128}, {0x00C9, 144}, {0x00D1, 165},
    {0x00D6, 153}, {0x00D8, 157}, {0x00DC, 154}, {0x00DF, 225}, {0x00E0, 133}, {0x00E1, 160},
    {0x00E2, 131}, {0x00E4, 132}, {0x00E5, 134}, {0x00E6, 145}, {0x00E7, 135}, {0x00E8, 138},
    {0x00E9, 130}, {0x00EA, 136}, {0x00EB, 137}, {0x00EC, 141}, {0x00ED, 161}, {0x00EE, 140},
    {0x00EF, 139}, {0x00F1, 164}, {0x00F2, 149}, {0x00F3, 162}, {0x00F4, 147}, {0x00F6, 148},
    {0x00F7, 246}, {0x00F8, 155}, {0x00F9, 151}, {0x00FA, 163}, {0x00FB, 150}, {0x00FC, 129},
    {0x00FF, 152}, {0x0192, 159}, {0x0393, 226}, {0x03A3, 228}, {0x03A6, 232}, {0x03A9, 234},
    {0x03B1, 224}, {0x03B4, 235}, {0x03B5, 238}, {0x03C0, 227}, {0x03C3, 229}, {0x03C4, 231},
    {0x03C6, 237}, {0x04E8, 233}, {0x2022, 7},   {0x203C, 19},  {0x207F, 252}, {0x20A7, 158},
    {0x20AC, 127}, {0x2190, 27},  {0x2191, 24},  {0x2192, 26},  {0x2193, 25},  {0x2194, 29},
    {0x2195, 18},  {0x21A8, 23},  {0x2219, 249}, {0x221A, 251}, {0x221E, 236}, {0x221F, 28},
    {0x2229, 239}, {0x2248, 247}, {0x2261, 240}, {0x2264, 243}, {0x2265, 242}, {0x2310, 169},
    {0x2320, 244}, {0x2321, 245}, {0x2500, 196}, {0x2502, 179}, {0x250C, 218}, {0x2510, 191},
    {0x2514, 192}, {0x2518, 217}, {0x251C, 195}, {0x2524, 180}, {0x252C, 194}, {0x2534, 193},
    {0x253C, 197}, {0x2550, 205}, {0x2551, 186}, {0x2552, 213}, {0x2553, 214}, {0x2554, 201},
    {0x2555, 184}, {0x2556, 183}, {0x2557, 187}, {0x2558, 212}, {0x2559, 211}, {0x255A, 200},
    {0x255B, 190}, {0x255C, 189}, {0x255D, 188}, {0x255E, 198}, {0x255F, 199}, {0x2560, 204},
    {0x2561, 181}, {0x2562, 182}, {0x2563, 185}, {0x2564, 209}, {0x2565, 210}, {0x2566, 203},
    {0x2567, 207}, {0x2568, 208}, {0x2569, 202}, {0x256A, 216}, {0x256B, 215}, {0x256C, 206},
    {0x2580, 223}, {0x2584, 220}, {0x2588, 219}, {0x258C, 221}, {0x2590, 222}, {0x2591, 176},
    {0x2592, 177}, {0x2593, 178}, {0x25A0, 254}, {0x25AC, 22},  {0x25B2, 30},  {0x25BA, 16},
    {0x25BC, 31},  {0x25C4, 17},  {0x25CB, 9},   {0x25D8, 8},   {0x25D9, 10},  {0x263A, 1},
    {0x263B, 2},   {0x263C, 15},  {0x2640, 12},  {0x2642, 11},  {0x2660, 6},   {0x2663, 5},
    {0x2665, 3},   {0x2666, 4},   {0x266A, 13},  {0x266B, 14},
};
static_assert(std::size(kCodePage) == 160);

// Code points 128..255 for a wide font: Latin-1 letters and the Windows
// punctuation of 128..159 folded onto glyph codes the fonts have.
constexpr std::uint8_t kLatin[128] = {
    0x7F, 0x5F, 0x2C, 0x9F, 0x2C, 0x2E, 0x2B, 0xD8, 0x5E, 0x25, 0x53, 0x3C, 0xB0, 0x5F, 0x5A, 0x5F,
    0x5F, 0x60, 0x27, 0x22, 0x22, 0x07, 0x2D, 0x2D, 0x7E, 0x54, 0x73, 0x3E, 0x6F, 0x5F, 0x7A, 0x59,
    0xFF, 0xAD, 0x9B, 0x9C, 0x0F, 0x9D, 0xDD, 0x15, 0x22, 0x63, 0xA6, 0xAE, 0xAA, 0x2D, 0x72, 0x5F,
    0xF8, 0xF1, 0xFD, 0x33, 0x27, 0xE6, 0x14, 0xFA, 0x2C, 0x31, 0xA7, 0xAF, 0xAC, 0xAB, 0x5F, 0xA8,
    0x41, 0x41, 0x41, 0x41, 0x8E, 0x8F, 0x92, 0x80, 0x45, 0x90, 0x45, 0x45, 0x49, 0x49, 0x49, 0x49,
    0x44, 0xA5, 0x4F, 0x4F, 0x4F, 0x4F, 0x99, 0x78, 0x4F, 0x55, 0x55, 0x55, 0x9A, 0x59, 0x5F, 0xE1,
    0x85, 0xA0, 0x83, 0x61, 0x84, 0x86, 0x91, 0x87, 0x8A, 0x82, 0x88, 0x89, 0x8D, 0xA1, 0x8C, 0x8B,
    0x64, 0xA4, 0x95, 0xA2, 0x93, 0x6F, 0x94, 0xF6, 0x6F, 0x97, 0xA3, 0x96, 0x81, 0x79, 0x5F, 0x98,
};

constexpr bool is_continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

} // namespace

std::size_t utf8_decode_display(const unsigned char* s, std::size_t length, int& code_point) {
    code_point = kCodePointInvalid;
    if (length == 0) return 0;
    const unsigned char lead = s[0];
    if (lead < 0x80) {
        code_point = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        if (length < 2 || !is_continuation(s[1])) return 1;
        code_point = ((lead & 0x1F) << 6) | (s[1] & 0x3F);
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        if (length < 3 || !is_continuation(s[1]) || !is_continuation(s[2])) return 1;
        if (lead == 0xEF && s[1] == 0xBB && s[2] == 0xBF) {
            code_point = kCodePointBom;
            return 3;
        }
        code_point = ((lead & 0x0F) << 12) | ((s[1] & 0x3F) << 6) | (s[2] & 0x3F);
        return 3;
    }
    // A stray continuation byte, a four-byte lead or anything above: one
    // byte at a time, so a four-byte character shows as four "*".
    return 1;
}

int glyph_for_code_point(int code_point, bool wide_font) {
    if (code_point == kCodePointInvalid) return '*';
    if (wide_font) {
        // The byte-order mark has no glyph; code point 0 always draws the
        // font's first glyph, like any code point the font lacks.
        if (code_point == kCodePointBom) return 0;
        if (code_point >= 128 && code_point <= 255) return kLatin[code_point - 128];
        return code_point < 0 ? '?' : code_point;
    }
    if (code_point >= 32 && code_point <= 126) return code_point;
    if (code_point < 0 || code_point > 0xFFFF) return '?';
    const auto* end = std::end(kCodePage);
    const auto* hit = std::lower_bound(std::begin(kCodePage), end, code_point,
                                       [](const CodePageEntry& e, int cp) { return e.code_point < cp; });
    if (hit == end || hit->code_point != code_point) return '?';
    return hit->glyph;
}

} // namespace formwick
