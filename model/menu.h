// Application menus: Menu 1..8 of up to ten items each.
#pragma once

#include "model/fixed_text.h"

#include <array>
#include <cstdint>

namespace formwick {

struct CMenuItem {
    Text<85> name{};       // UTF-8
    std::uint8_t next = 0; // screen target
};

inline constexpr int kMenuItemCount = 10;

struct CParamMenu {
    std::uint8_t font = 0; // 0 Large, 1 Medium, 2 Custom
    std::uint8_t clrTarget = 0;
    std::uint8_t useHeader = 0;
    Text<85> header{}; // UTF-8
    std::uint8_t storeHeader = 0;
    std::uint8_t headerVariable = 1;
    std::uint8_t storeItemName = 0;
    std::uint8_t itemNameVariable = 1;
    std::uint8_t storeItemNumber = 0;
    std::uint8_t itemNumberVariable = 1;
    std::uint8_t saveOnNext = 0;
    std::uint8_t saveDataFile = 0;
    std::array<CMenuItem, kMenuItemCount> items{};

    std::u16string headerText() const { return get_utf8(header); }
    void setHeaderText(std::u16string_view t) { set_utf8(header, t); }
    // Item i (0..9); out of range gives an empty string and stores nothing.
    std::u16string itemName(int i) const {
        return i < 0 || i >= kMenuItemCount ? std::u16string() : get_utf8(items[i].name);
    }
    void setItemName(int i, std::u16string_view t) {
        if (i >= 0 && i < kMenuItemCount) set_utf8(items[i].name, t);
    }
};

} // namespace formwick
