// The two bars at the bottom of runtime screens.
#pragma once

namespace formwick {

// Key labels on the last text row, in reverse video across the whole width:
// one label centred, or two (left and right half) divided by a line at x = 64.
void rt_bottom_bar(int count, const char* label1, const char* label2);

// The 128 x 10 picture of the up, trigger and down keys at (0, 117), under
// menus and lists.
void rt_picture_bar();

} // namespace formwick
