// The numbered list and the five-item action menu.
//
// Both draw the items as numbered lines under an optional title, over the
// picture bar, and take one key per pass: "1".."9" choose an item (a number
// past the last beeps), trigger and enter choose the selected one, up and
// down move without wrapping (beeping at the ends), clear leaves, anything
// else beeps.
#pragma once

#include "runtime/ui/menu_items.h"

namespace formwick {

inline constexpr int kActionMenuItems = 5;

// Returns the chosen index, or -1 when left with clear. The title is drawn
// at 0,0 when it is not empty.
int rt_list(const char* title, const RtMenuItem* items, int count);

// Runs the chosen item's action and shows the menu again with the same
// selection; returns -1 when left (with clear, or by choosing an item
// without an action). The title is centred on row 0.
int rt_menu(const char* title, const RtMenuItem* items, int font_type);

// What one key did to a list of `count` items with `selected` current.
enum ListKeyResult { LIST_REDRAW, LIST_CHOSEN, LIST_LEFT };

// The key rules shared by every runtime menu; on LIST_CHOSEN `selected`
// names the item.
ListKeyResult rt_list_key(int key, int count, int& selected);

} // namespace formwick
