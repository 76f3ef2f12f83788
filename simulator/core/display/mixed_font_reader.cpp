#include "simulator/core/display/mixed_font_reader.h"

#include "simulator/core/display/screen_reader.h"

#include <algorithm>
#include <cctype>

namespace formwick {

namespace {

// One font's readings at every text y offset.
struct FontReading {
    int height = 0;
    std::vector<std::vector<std::string>> byOffset;

    // The text row whose top is pixel row y, or null when it would run off
    // the screen.
    const std::string* row_at(int y) const {
        const auto& rows = byOffset[static_cast<std::size_t>(y % height)];
        const std::size_t k = static_cast<std::size_t>(y / height);
        return k < rows.size() ? &rows[k] : nullptr;
    }
};

// How well a row reads: letters and digits count two, other printable
// ASCII signs one, other glyphs (block and line pieces, which stripes of
// pictures and bars read as) nothing, and each unread cell takes one off.
// A few unread cells are allowed (a picture beside the text, or a real
// question mark); with more than one, or one in four, or without a letter
// or digit, the row is no reading at all (a line of a picture may read as
// a row of signs).
int score(const std::string& row) {
    int chars = 0, unread = 0, value = 0, letters = 0;
    for (unsigned char c : row) {
        if ((c & 0xC0) == 0x80 || c == ' ') continue;
        ++chars;
        if (c == '?') ++unread;
        else if (std::isalnum(c)) value += 2, ++letters;
        else if (c > ' ' && c < 0x7F) value += 1;
    }
    if (unread > std::max(1, chars / 4) || letters == 0) return 0;
    return value - unread;
}

// The best row of any font whose top is pixel row y.
struct Candidate {
    const FontReading* reading = nullptr;
    const std::string* row = nullptr;
    int top = 0;
    int score = 0;
};

Candidate best_at(const std::vector<FontReading>& readings, int y) {
    Candidate best;
    for (const FontReading& reading : readings) {
        const std::string* row = reading.row_at(y);
        if (!row) continue;
        if (const int s = score(*row); s > best.score) best = Candidate{&reading, row, y, s};
    }
    return best;
}

// The stretch of pixel rows [from, to) that no font reads, as rows of the
// first font's height (at least one when it holds anything): "?" for each
// cell of the first font's width with a dark pixel, pictures mostly.
void add_unread(const Screen& screen, int from, int to, int cellWidth, int rowHeight,
                std::vector<std::string>& out) {
    int rows = (to - from) / rowHeight;
    if (rows == 0 && to > from) rows = 1;
    for (int r = 0; r < rows; ++r) {
        const int top = from + r * rowHeight;
        const int bottom = r + 1 == rows ? to : top + rowHeight;
        std::string row;
        for (int left = 0; left + cellWidth <= screen.width; left += cellWidth) {
            bool ink = false;
            for (int y = top; y < bottom && !ink; ++y)
                for (int x = left; x < left + cellWidth && !ink; ++x) ink = screen.dark(x, y);
            row += ink ? '?' : ' ';
        }
        while (!row.empty() && row.back() == ' ') row.pop_back();
        if (!row.empty() || rows * rowHeight <= to - from) out.push_back(row);
    }
}

} // namespace

std::vector<std::string> read_screen_text_mixed(const Screen& screen, std::span<const FontView> fonts) {
    std::vector<FontReading> readings;
    for (const FontView& font : fonts) {
        FontReading reading{font.height(), read_screen_text_every_offset(screen, font)};
        if (!reading.byOffset.empty()) readings.push_back(std::move(reading));
    }
    std::vector<std::string> out;
    if (readings.empty()) return out;
    const int rowHeight = readings.front().height, cellWidth = fonts.front().width();
    int y = 0, unreadFrom = 0;
    while (y < screen.height) {
        Candidate best = best_at(readings, y);
        if (!best.reading) {
            ++y;
            continue;
        }
        // A row read a pixel or two off (the top of a bar, a stripe of a
        // picture) may read as something: the best reading whose top lies
        // within the first one's height wins.
        for (int later = y + 1; later < y + best.reading->height && later < screen.height; ++later)
            if (Candidate c = best_at(readings, later); c.score > best.score) best = c;
        add_unread(screen, unreadFrom, best.top, cellWidth, rowHeight, out);
        out.push_back(*best.row);
        y = best.top + best.reading->height;
        unreadFrom = y;
    }
    add_unread(screen, unreadFrom, screen.height, cellWidth, rowHeight, out);
    while (!out.empty() && out.back().empty()) out.pop_back();
    return out;
}

} // namespace formwick
