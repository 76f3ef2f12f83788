#include "simulator/core/display/font_view.h"

#include "simulator/core/fonts/builtin_fonts.h"

#include <algorithm>
#include <bit>

namespace formwick {

namespace {

constexpr std::size_t kPresenceBytes = 8192;

} // namespace

FontView FontView::builtin(int font) {
    return custom(builtin_font(font), builtin_font_size(font));
}

FontView FontView::custom(const std::uint8_t* image, std::size_t size) {
    FontView view;
    if (!image || size < 2) return view;
    std::size_t header = 0;
    if (image[0] == 0xFE && image[1] == 0xFE) {
        if (size < 2 + kPresenceBytes + 2) return view;
        view.presence_ = image + 2;
        header = 2 + kPresenceBytes;
        auto rank = std::make_shared<std::vector<std::uint32_t>>(kPresenceBytes);
        std::uint32_t count = 0;
        for (std::size_t i = 0; i < kPresenceBytes; ++i) {
            (*rank)[i] = count;
            count += static_cast<std::uint32_t>(std::popcount(view.presence_[i]));
        }
        view.rank_ = std::move(rank);
    }
    const int height = image[header], width = image[header + 1];
    if (height == 0 || width == 0) return FontView{};
    view.height_ = height;
    view.width_ = width;
    view.glyphs_ = image + header + 2;
    view.glyphs_size_ = size - header - 2;
    return view;
}

int FontView::glyph_index(int code) const {
    if (!wide()) return code >= 0 && code <= 255 ? code : '?';
    if (code < 0 || code > 0xFFFF) return 0;
    const std::size_t byte = static_cast<std::size_t>(code) / 8;
    const unsigned bit = 7u - static_cast<unsigned>(code) % 8u;
    const unsigned bits = presence_[byte];
    if (!((bits >> bit) & 1u)) return 0;
    // Present code points in this byte above `bit` come before `code`.
    const unsigned before = bits >> (bit + 1);
    return static_cast<int>((*rank_)[byte] + static_cast<std::uint32_t>(std::popcount(before)));
}

// Glyphs are stored column by column in bands of 8 rows; the first band
// holds the rows that do not fill a whole band, in its high bits.
void FontView::locate_row(int y, int& band, int& bit) const {
    const int first_rows = height_ % 8 == 0 ? 8 : height_ % 8;
    if (y < first_rows) {
        band = 0;
        bit = 8 - first_rows + y;
    } else {
        band = 1 + (y - first_rows) / 8;
        bit = (y - first_rows) % 8;
    }
}

bool FontView::stroke(int index, int x, int y) const {
    if (!valid() || index < 0 || x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    int band, bit;
    locate_row(y, band, bit);
    const std::size_t offset = static_cast<std::size_t>(index) * bytes_per_glyph() +
                               static_cast<std::size_t>(band * width_ + x);
    if (offset >= glyphs_size_) return false;
    return (glyphs_[offset] >> bit) & 1;
}

std::uint64_t FontView::row_strokes(int index, int y) const {
    if (!valid() || index < 0 || y < 0 || y >= height_ || width_ > kMaxRowWidth) return 0;
    int band, bit;
    locate_row(y, band, bit);
    const std::size_t start = static_cast<std::size_t>(index) * bytes_per_glyph() + static_cast<std::size_t>(band * width_);
    if (start >= glyphs_size_) return 0;
    // A glyph cut short by the end of the image has no strokes past it.
    const std::size_t count = std::min(static_cast<std::size_t>(width_), glyphs_size_ - start);
    const std::uint8_t* column = glyphs_ + start;
    std::uint64_t row = 0;
    for (std::size_t x = 0; x < count; ++x) row |= static_cast<std::uint64_t>((column[x] >> bit) & 1u) << x;
    return row;
}

} // namespace formwick
