// The runtime main menu: three items shown one at a time with a picture,
// under a clock line.
#pragma once

#include "runtime/ui/menu_items.h"

namespace formwick {

inline constexpr int kMainMenuItems = 3;

// Runs the menu over `items` (three). `index` is the selected item on entry
// and on return. A chosen item's action runs with the item table and the
// menu is drawn again afterwards. Returns -1 when left with clear, or when
// an item without an action is chosen. `date_format` 0 shows YY/MM/DD,
// 1 DD/MM/YY, anything else no clock line.
int rt_main_menu(int font_type, const char* title, int& index, const RtMainMenuItem* items, int date_format);

} // namespace formwick
