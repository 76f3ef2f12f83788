// Reading back a screen that mixes fonts and text offsets (a menu title in
// one font, its items in another; the main menu's texts at their own pixel
// rows), so that what a person is shown as text is what is on the screen.
#pragma once

#include "simulator/core/display/font_view.h"
#include "simulator/core/display/screen.h"

#include <span>
#include <string>
#include <vector>

namespace formwick {

// Reads the screen from the top down: at each pixel row it takes the font of
// `fonts` whose text row starting there reads best (the most characters,
// next to no unread cells; of equals the earlier font), keeps that row and
// goes on below it. What no font reads comes as rows as high as the first
// font's: empty for blank screen, "?" for each cell (as wide as the first
// font's) with a dark pixel, pictures mostly. Rows come without trailing
// blanks, as read_screen_text's do; blank rows at the bottom are left out.
std::vector<std::string> read_screen_text_mixed(const Screen& screen, std::span<const FontView> fonts);

} // namespace formwick
