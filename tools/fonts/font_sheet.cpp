#include "font_sheet.h"

#include "simulator/core/display/png_file.h"

namespace fontgen {

bool write_font_sheet(const CellFont& font, int scale, const std::string& path, std::string& error) {
    // Each cell is framed by a grey grid line on its top and left.
    const int cell_w = font.width * scale + 1, cell_h = font.height * scale + 1;
    const int width = 16 * cell_w + 1, height = 16 * cell_h + 1;
    std::vector<std::uint8_t> gray(static_cast<std::size_t>(width * height), 160);
    for (int glyph = 0; glyph < 256; ++glyph) {
        const int left = (glyph % 16) * cell_w + 1, top = (glyph / 16) * cell_h + 1;
        for (int y = 0; y < font.height * scale; ++y)
            for (int x = 0; x < font.width * scale; ++x)
                gray[static_cast<std::size_t>((top + y) * width + left + x)] =
                    font.at(glyph, x / scale, y / scale) ? 0 : 255;
    }
    return formwick::write_gray_png(path, width, height, gray, error);
}

} // namespace fontgen
