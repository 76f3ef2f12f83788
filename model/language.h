// Translated texts: menu texts, strings and messages that replace the
// runtime's built-in texts when present.
#pragma once

#include "model/fixed_text.h"

#include <array>
#include <cstdint>

namespace formwick {

inline constexpr int kMenuTextCount = 20;
inline constexpr int kStringTextCount = 20;
inline constexpr int kMessageTextCount = 100;
inline constexpr int kMenuTextChars = 84;
inline constexpr int kMessageTextChars = 504;

struct CParamLanguage {
    std::uint8_t used = 0; // set once any text is stored
    std::array<Text<85>, kMenuTextCount> menuTexts{};
    std::array<Text<85>, kStringTextCount> stringTexts{};
    std::array<Text<505>, kMessageTextCount> messageTexts{};
    int menuFont = 0;
    int stringFont = 0;
    int messageFont = 0;

    // Storing copies at most 84 (menus, strings) or 504 (messages)
    // characters and sets `used`; an index out of range stores nothing.
    void setMenuText(int i, std::u16string_view text);
    void setStringText(int i, std::u16string_view text);
    void setMessageText(int i, std::u16string_view text);

    std::u16string menuText(int i) const;
    std::u16string stringText(int i) const;
    // Nothing when `used` is 0, when i is out of range or the entry is empty.
    std::u16string messageText(int i) const;
};

} // namespace formwick
