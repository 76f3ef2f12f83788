// Items of the runtime's menus.
#pragma once

#include "runtime/services/records.h"

namespace formwick {

// An item of a numbered list or an action menu: a UTF-8 text and an
// action, or none.
struct RtMenuItem {
    const char* text = "";
    void (*action)() = nullptr;
};

// An item of the runtime main menu: its action receives the item table.
struct RtMainMenuItem {
    const char* text = "";
    ImageView picture{};
    void (*action)(const RtMainMenuItem* items) = nullptr;
};

} // namespace formwick
