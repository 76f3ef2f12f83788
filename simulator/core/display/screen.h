// The composed screen: what every front end shows. The window, the command
// line, the tests and bug reports all take the same picture from here.
#pragma once

#include "simulator/core/display/stat_display.h"

#include <string>
#include <vector>

namespace formwick {

struct Screen {
    int width = 0, height = 0;
    std::vector<Pixel> pixels; // top row first
    Pixel background = kPixelWhite;

    bool dark(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               pixels[static_cast<std::size_t>(y * width + x)] == kPixelDark;
    }
};

// The last refreshed frame with the cursor as it was at that refresh: in
// cursor mode 1 a dark line under the cursor cell, on its bottom pixel row,
// moved by the text y offset. (The runtime changes the cursor by setting it
// and refreshing.)
Screen compose_screen(const CStatDisplay& display);

// One character per pixel ('#' dark, '.' background), one line per row,
// each ending in '\n'.
std::string screen_text_art(const Screen& screen);

// The screen as an 8-bit greyscale PNG (dark black, background white),
// enlarged `scale` times.
bool write_screen_png(const Screen& screen, const std::string& path, std::string& error, int scale = 1);

} // namespace formwick
