#include "model/language.h"

namespace formwick {

namespace {

// The first `chars` characters of a text, counting a surrogate pair as one.
std::u16string_view first_chars(std::u16string_view text, std::size_t chars) {
    std::size_t i = 0, n = 0;
    while (i < text.size() && n < chars) {
        i += (text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size()) ? 2 : 1;
        ++n;
    }
    return text.substr(0, i);
}

template <std::size_t N, std::size_t M>
bool store(std::array<Text<N>, M>& texts, int i, std::u16string_view text, std::size_t chars) {
    if (i < 0 || i >= static_cast<int>(M)) return false;
    set_utf8(texts[i], first_chars(text, chars));
    return true;
}

template <std::size_t N, std::size_t M> std::u16string read(const std::array<Text<N>, M>& texts, int i) {
    if (i < 0 || i >= static_cast<int>(M)) return {};
    return get_utf8(texts[i]);
}

} // namespace

void CParamLanguage::setMenuText(int i, std::u16string_view text) {
    if (store(menuTexts, i, text, kMenuTextChars)) used = 1;
}

void CParamLanguage::setStringText(int i, std::u16string_view text) {
    if (store(stringTexts, i, text, kMenuTextChars)) used = 1;
}

void CParamLanguage::setMessageText(int i, std::u16string_view text) {
    if (store(messageTexts, i, text, kMessageTextChars)) used = 1;
}

std::u16string CParamLanguage::menuText(int i) const { return read(menuTexts, i); }
std::u16string CParamLanguage::stringText(int i) const { return read(stringTexts, i); }

std::u16string CParamLanguage::messageText(int i) const {
    if (!used) return {};
    return read(messageTexts, i);
}

} // namespace formwick
