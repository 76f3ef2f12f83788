// A PNG sheet of a cell font: 16 x 16 glyphs, enlarged, on a grid.
#pragma once

#include "cell_font.h"

#include <string>

namespace fontgen {

bool write_font_sheet(const CellFont& font, int scale, const std::string& path, std::string& error);

} // namespace fontgen
