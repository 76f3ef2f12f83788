// The runtime's default pictures, monochrome images in the layout of
// runtime/services/records.h (ImageView). The drawings live in the .cpp
// files beside this header as text art.
#pragma once

#include "runtime/services/records.h"

namespace formwick {

inline constexpr int kHourglassFrames = 6;

ImageView picture_hourglass(int frame); // 16 x 16, sand runs down from frame 0 to 5
ImageView picture_bar();                // 128 x 10: up, trigger and down key caps
ImageView picture_logo();               // 128 x 13, the version screen's banner
ImageView picture_menu_input();         // 64 x 64 main-menu pictures
ImageView picture_menu_communicate();
ImageView picture_menu_utilities();
ImageView picture_battery();            // 20 x 20 power icons
ImageView picture_memory();
ImageView picture_receive();            // 32 x 32 transfer icons
ImageView picture_transmit();

} // namespace formwick
