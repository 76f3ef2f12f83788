#include "model/startup.h"

namespace formwick {

bool CParamStartup::setCustomFont(std::vector<std::uint8_t> body) {
    clearCustomFont();
    if (body.size() < 2) return false;
    bool extended = body[0] == 0xFE && body[1] == 0xFE;
    if (extended && body.size() < kExtendedFontHeaderSize) return false;
    std::size_t header = extended ? kExtendedFontHeaderSize - 2 : 0;
    glyphHeight = body[header];
    glyphWidth = body[header + 1];
    customFontLength = static_cast<int>(body.size());
    customFont = std::move(body);
    return true;
}

void CParamStartup::clearCustomFont() {
    customFont.clear();
    customFont.shrink_to_fit();
    customFontLength = 0;
    glyphWidth = 0;
    glyphHeight = 0;
}

std::u16string CParamStartup::splashLine(int i) const {
    if (i < 0 || i >= kSplashLineCount) return {};
    return get_utf8(splashLines[i].text);
}

void CParamStartup::setSplashLine(int i, std::u16string_view text) {
    if (i < 0 || i >= kSplashLineCount) return;
    set_utf8(splashLines[i].text, text);
}

std::u16string CParamStartup::constant(int i) const {
    if (i < 0 || i >= 3) return {};
    return get_utf8(constants[i]);
}

void CParamStartup::setConstant(int i, std::u16string_view text) {
    if (i < 0 || i >= 3) return;
    set_utf8(constants[i], text);
}

} // namespace formwick
