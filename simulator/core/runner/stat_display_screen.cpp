#include "simulator/core/runner/stat_display_screen.h"

#include "simulator/core/display/screen.h"
#include "simulator/core/display/screen_reader.h"

namespace formwick {

StatDisplayScreen::StatDisplayScreen(const CStatDisplay& display, int pngScale)
    : display_(display), pngScale_(pngScale) {}

// A frame as wide as the text area, so blank rows and trailing spaces show.
std::string StatDisplayScreen::text_view() {
    const std::vector<std::string> lines =
        read_screen_text(compose_screen(display_), display_.font(), display_.state().textYOffset);
    const int columns = display_.state().columns;
    const std::string edge = "+" + std::string(static_cast<std::size_t>(columns), '-') + "+\n";
    std::string out = edge;
    for (const std::string& line : lines) {
        // Columns count characters, not UTF-8 bytes.
        int width = 0;
        for (unsigned char c : line) width += (c & 0xC0) != 0x80;
        out += "|" + line + std::string(static_cast<std::size_t>(std::max(columns - width, 0)), ' ') + "|\n";
    }
    return out + edge;
}

std::string StatDisplayScreen::pixel_view() { return screen_text_art(compose_screen(display_)); }

bool StatDisplayScreen::write_png(const std::string& path, std::string& error) {
    return write_screen_png(compose_screen(display_), path, error, pngScale_);
}

} // namespace formwick
