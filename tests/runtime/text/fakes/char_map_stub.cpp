// Stand-in for the display's character mapping while the real tables are
// not merged: decodes UTF-8 as the display does and maps ASCII, "é" and the
// euro sign; everything else is "?".
#include "runtime/text/char_map.h"

namespace formwick {

std::size_t utf8_decode_display(const unsigned char* s, std::size_t length, int& code_point) {
    if (length == 0) {
        code_point = kCodePointInvalid;
        return 0;
    }
    unsigned char c = s[0];
    if (c < 0x80) {
        code_point = c;
        return 1;
    }
    auto cont = [&](std::size_t i) { return i < length && (s[i] & 0xC0) == 0x80; };
    if ((c & 0xE0) == 0xC0 && cont(1)) {
        code_point = ((c & 0x1F) << 6) | (s[1] & 0x3F);
        return 2;
    }
    if ((c & 0xF0) == 0xE0 && cont(1) && cont(2)) {
        if (c == 0xEF && s[1] == 0xBB && s[2] == 0xBF) {
            code_point = kCodePointBom;
            return 3;
        }
        code_point = ((c & 0x0F) << 12) | ((s[1] & 0x3F) << 6) | (s[2] & 0x3F);
        return 3;
    }
    code_point = kCodePointInvalid;
    return 1;
}

int glyph_for_code_point(int code_point, bool wide_font) {
    if (code_point == kCodePointInvalid) return 42;
    if (wide_font && code_point >= 0) return code_point == 0xE9 ? 0x82 : code_point;
    if (code_point >= 32 && code_point <= 126) return code_point;
    if (code_point == 0xE9) return 130;
    if (code_point == 0x20AC) return 127;
    return 63;
}

} // namespace formwick
