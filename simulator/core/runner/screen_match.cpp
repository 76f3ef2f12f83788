#include "simulator/core/runner/screen_match.h"

#include <algorithm>

namespace formwick {

namespace {

std::string_view trim_end(std::string_view s) {
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// The most characters of `text` (blanks aside) equal to the row's at the
// same position, over every placement of `text` that overlaps the row.
std::size_t likeness(std::string_view row, std::string_view text) {
    if (text.empty()) return 0;
    const std::size_t lead = text.size() - 1; // placements that start left of the row
    std::size_t best = 0;
    for (std::size_t place = 0; place < lead + row.size(); ++place) {
        std::size_t same = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (place + i < lead || place + i - lead >= row.size()) continue;
            const char c = row[place + i - lead];
            same += c == text[i] && c != ' ';
        }
        best = std::max(best, same);
    }
    return best;
}

bool unread(std::string_view row) {
    return row.find_first_not_of("? ") == std::string_view::npos;
}

} // namespace

const std::string* row_holding(const std::vector<std::string>& rows, std::string_view text) {
    const std::string_view wanted = trim_end(text);
    for (const std::string& row : rows)
        if (row.find(wanted) != std::string::npos) return &row;
    return nullptr;
}

std::vector<std::string> nearest_rows(const std::vector<std::string>& rows, std::string_view text,
                                      std::size_t count) {
    std::vector<std::pair<std::size_t, const std::string*>> scored;
    for (const std::string& row : rows) {
        if (unread(row)) continue;
        if (std::any_of(scored.begin(), scored.end(),
                        [&](const auto& s) { return *s.second == row; }))
            continue;
        if (const std::size_t score = likeness(row, text)) scored.emplace_back(score, &row);
    }
    // Stable: of equally near rows, the one read first (the current font) leads.
    std::stable_sort(scored.begin(), scored.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::string> out;
    for (std::size_t i = 0; i < scored.size() && i < count; ++i)
        out.push_back(*scored[i].second);
    return out;
}

} // namespace formwick
