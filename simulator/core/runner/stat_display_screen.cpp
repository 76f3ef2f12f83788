#include "simulator/core/runner/stat_display_screen.h"

#include "simulator/core/display/screen.h"
#include "simulator/core/display/screen_reader.h"
#include "simulator/core/fonts/builtin_fonts.h"

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

std::vector<std::string> StatDisplayScreen::readings() {
    const Screen screen = compose_screen(display_);
    std::vector<std::string> rows = read_screen_text(screen, display_.font(), display_.state().textYOffset);
    for (int font = 0; font < kBuiltinFontCount; ++font)
        for (std::vector<std::string>& reading : read_screen_text_every_offset(screen, FontView::builtin(font)))
            for (std::string& row : reading)
                if (!row.empty()) rows.push_back(std::move(row));
    return rows;
}

std::string StatDisplayScreen::pixel_view() { return screen_text_art(compose_screen(display_)); }

bool StatDisplayScreen::write_png(const std::string& path, std::string& error) {
    return write_screen_png(compose_screen(display_), path, error, pngScale_);
}

} // namespace formwick
