#include "simulator/core/display/screen.h"

#include "simulator/core/display/png_file.h"

namespace formwick {

Screen compose_screen(const CStatDisplay& display) {
    Screen screen{display.width(), display.height(), {}, display.background()};
    DisplayState s;
    display.frame_with_state(screen.pixels, s);
    if (s.cursorMode == 1) {
        const int y = (s.cursorRow + 1) * s.glyphHeight + s.textYOffset - 1;
        const int left = s.cursorColumn * s.glyphWidth;
        for (int x = left; x < left + s.glyphWidth; ++x)
            if (x >= 0 && y >= 0 && x < screen.width && y < screen.height)
                screen.pixels[static_cast<std::size_t>(y * screen.width + x)] = kPixelDark;
    }
    return screen;
}

std::string screen_text_art(const Screen& screen) {
    std::string art;
    art.reserve(static_cast<std::size_t>((screen.width + 1) * screen.height));
    for (int y = 0; y < screen.height; ++y) {
        for (int x = 0; x < screen.width; ++x) art += screen.dark(x, y) ? '#' : '.';
        art += '\n';
    }
    return art;
}

bool write_screen_png(const Screen& screen, const std::string& path, std::string& error, int scale) {
    if (scale < 1) scale = 1;
    const int w = screen.width * scale, h = screen.height * scale;
    std::vector<std::uint8_t> gray(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            gray[static_cast<std::size_t>(y * w + x)] = screen.dark(x / scale, y / scale) ? 0 : 255;
    return write_gray_png(path, w, h, gray, error);
}

} // namespace formwick
