#include "simulator/core/fonts/builtin_fonts.h"

namespace formwick {

namespace {

struct BuiltinFont {
    const std::uint8_t* image;
    int height, width;
};

const BuiltinFont kFonts[kBuiltinFontCount] = {
    {fonts::kFont0, 6, 6}, {fonts::kFont1, 8, 8}, {fonts::kFont2, 12, 6}, {fonts::kFont3, 16, 8}, {fonts::kFont4, 24, 12},
};

} // namespace

const std::uint8_t* builtin_font(int font) {
    return font >= 0 && font < kBuiltinFontCount ? kFonts[font].image : nullptr;
}

std::size_t builtin_font_size(int font) {
    if (font < 0 || font >= kBuiltinFontCount) return 0;
    const BuiltinFont& f = kFonts[font];
    return 2 + 256 * static_cast<std::size_t>((f.height + 7) / 8 * f.width);
}

} // namespace formwick
