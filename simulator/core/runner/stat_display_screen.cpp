#include "simulator/core/runner/stat_display_screen.h"

#include "simulator/core/display/mixed_font_reader.h"
#include "simulator/core/display/screen.h"
#include "simulator/core/display/screen_reader.h"
#include "simulator/core/fonts/builtin_fonts.h"

#include <algorithm>

namespace formwick {

StatDisplayScreen::StatDisplayScreen(const CStatDisplay& display, int pngScale)
    : display_(display), pngScale_(pngScale) {}

namespace {

// Columns count characters, not UTF-8 bytes.
int width_of(const std::string& line) {
    int width = 0;
    for (unsigned char c : line) width += (c & 0xC0) != 0x80;
    return width;
}

} // namespace

// Each part of the screen read in the font and at the text offset it is
// drawn in, inside a frame at least as wide as the text area, so blank rows
// and trailing spaces show.
std::string StatDisplayScreen::text_view() {
    const std::vector<std::string> lines = mixed_reading(compose_screen(display_));
    int columns = display_.state().columns;
    for (const std::string& line : lines) columns = std::max(columns, width_of(line));
    const std::string edge = "+" + std::string(static_cast<std::size_t>(columns), '-') + "+\n";
    std::string out = edge;
    for (const std::string& line : lines)
        out += "|" + line + std::string(static_cast<std::size_t>(columns - width_of(line)), ' ') + "|\n";
    return out + edge;
}

std::vector<std::string> StatDisplayScreen::mixed_reading(const Screen& screen) const {
    std::vector<FontView> fonts{display_.font()};
    for (int font = 0; font < kBuiltinFontCount; ++font) fonts.push_back(FontView::builtin(font));
    return read_screen_text_mixed(screen, fonts);
}

std::vector<std::vector<std::string>> StatDisplayScreen::readings() {
    const Screen screen = compose_screen(display_);
    // What SCREEN prints first, so what it shows can always be expected.
    std::vector<std::vector<std::string>> out{mixed_reading(screen),
                                              read_screen_text(screen, display_.font(), display_.state().textYOffset)};
    for (int font = 0; font < kBuiltinFontCount; ++font)
        for (std::vector<std::string>& reading : read_screen_text_every_offset(screen, FontView::builtin(font)))
            out.push_back(std::move(reading));
    return out;
}

std::string StatDisplayScreen::pixel_view() { return screen_text_art(compose_screen(display_)); }

bool StatDisplayScreen::write_png(const std::string& path, std::string& error) {
    return write_screen_png(compose_screen(display_), path, error, pngScale_);
}

} // namespace formwick
