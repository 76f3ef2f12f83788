#include "bdf_reader.h"

#include <fstream>
#include <sstream>

namespace fontgen {

namespace {

std::vector<bool> hex_row(const std::string& hex, int width) {
    std::vector<bool> row(static_cast<std::size_t>(width), false);
    for (int x = 0; x < width; ++x) {
        std::size_t digit = static_cast<std::size_t>(x / 4);
        if (digit >= hex.size()) break;
        int nibble = std::stoi(hex.substr(digit, 1), nullptr, 16);
        row[static_cast<std::size_t>(x)] = (nibble >> (3 - x % 4)) & 1;
    }
    return row;
}

} // namespace

bool read_bdf(const std::string& path, BdfFont& font, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    std::string line;
    int encoding = -1;
    BdfGlyph glyph;
    bool in_bitmap = false;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        if (in_bitmap) {
            if (key == "ENDCHAR") {
                in_bitmap = false;
                if (encoding >= 0) font.glyphs[encoding] = glyph;
            } else {
                glyph.rows.push_back(hex_row(key, glyph.width));
            }
        } else if (key == "FONT_ASCENT") {
            words >> font.ascent;
        } else if (key == "FONT_DESCENT") {
            words >> font.descent;
        } else if (key == "STARTCHAR") {
            glyph = BdfGlyph{};
            encoding = -1;
        } else if (key == "ENCODING") {
            words >> encoding;
        } else if (key == "BBX") {
            words >> glyph.width >> glyph.height >> glyph.x_offset >> glyph.y_offset;
        } else if (key == "BITMAP") {
            in_bitmap = true;
        }
    }
    if (font.glyphs.empty()) {
        error = path + " holds no characters";
        return false;
    }
    return true;
}

} // namespace fontgen
