#include "checks/screen_fit.h"

#include "runtime/runtime_state.h"
#include "runtime/text/char_map.h"
#include "runtime/text/rt_printf.h"
#include "simulator/core/fonts/builtin_fonts.h"

namespace formwick {

namespace {

// Built-in fonts start with their glyph height and width.
FontCells builtin_cells(int font, const char* name) {
    const std::uint8_t* image = builtin_font(font);
    return FontCells{image[1], image[0], false, name};
}

} // namespace

FontCells font_cells(const CParameters& p, int font_choice) {
    const CParamStartup& s = p.startup;
    if (font_choice == kFontCustom && s.hasCustomFont() && s.glyphWidth > 0 && s.glyphHeight > 0) {
        bool wide = s.customFont.size() >= 2 && s.customFont[0] == 0xFE && s.customFont[1] == 0xFE;
        return FontCells{s.glyphWidth, s.glyphHeight, wide, "Custom"};
    }
    if (font_choice == kFontSmall) return builtin_cells(2, "Medium");
    return builtin_cells(3, "Large");
}

int text_chars(std::string_view utf8) { return rt_text_length(std::string(utf8).c_str()); }

std::string undrawable_char(std::string_view utf8, const FontCells& font) {
    const auto* u = reinterpret_cast<const unsigned char*>(utf8.data());
    for (std::size_t at = 0; at < utf8.size();) {
        int code_point = 0;
        std::size_t n = utf8_decode_display(u + at, utf8.size() - at, code_point);
        if (code_point != '?' && glyph_for_code_point(code_point, font.wide) == '?')
            return std::string(utf8.substr(at, n));
        at += n;
    }
    return {};
}

} // namespace formwick
