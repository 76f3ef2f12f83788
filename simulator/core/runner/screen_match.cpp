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

// The length of `text` matched at joined[at], or 0: a blank of `text`
// matches a blank or a row break, and a row break may also fall inside a
// word. A break between two blanks (an empty row) ends the match.
std::size_t wrapped_match_at(std::string_view joined, std::size_t at, std::string_view text) {
    std::size_t j = at;
    auto at_break = [&](std::size_t k) { return k < joined.size() && joined[k] == '\n'; };
    for (std::size_t t = 0; t < text.size(); ++t) {
        if (at_break(j) && (text[t] != ' ' || at_break(j + 1))) {
            if (text[t] == ' ' || at_break(j + 1)) return 0; // an empty row
            ++j;                                              // a word cut at the row's end
        }
        if (j >= joined.size()) return 0;
        if (text[t] == ' ' ? joined[j] != ' ' && joined[j] != '\n' : joined[j] != text[t]) return 0;
        ++j;
    }
    return j - at;
}

} // namespace

std::string squeeze_blanks(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += c;
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::vector<std::string> rows_wrapping(const std::vector<std::string>& rows, std::string_view text) {
    const std::string wanted = squeeze_blanks(text);
    if (wanted.empty()) return {};
    std::string joined;
    std::vector<std::size_t> rowOf; // the row of each character of `joined`
    for (std::size_t r = 0; r < rows.size(); ++r) {
        if (r > 0) {
            joined += '\n';
            rowOf.push_back(r - 1);
        }
        const std::string row = squeeze_blanks(rows[r]);
        joined += row;
        rowOf.insert(rowOf.end(), row.size(), r);
    }
    for (std::size_t at = 0; at < joined.size(); ++at) {
        if (joined[at] == '\n') continue;
        const std::size_t length = wrapped_match_at(joined, at, wanted);
        if (length == 0) continue;
        std::vector<std::string> out;
        for (std::size_t r = rowOf[at]; r <= rowOf[at + length - 1]; ++r)
            out.push_back(rows[r]);
        return out;
    }
    return {};
}

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
