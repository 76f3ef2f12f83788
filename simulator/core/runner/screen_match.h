// Finding a text among the rows read back off the screen, and the rows that
// come nearest to it when it is not there.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace formwick {

// The first row that holds `text` (trailing blanks of `text` ignored), or
// nullptr.
const std::string* row_holding(const std::vector<std::string>& rows, std::string_view text);

// At most `count` distinct rows that share the most characters with `text`
// at the same positions (for any placement of `text` over the row), best
// first. Rows that share none, and rows of nothing but unread cells, are
// left out.
std::vector<std::string> nearest_rows(const std::vector<std::string>& rows, std::string_view text,
                                      std::size_t count);

} // namespace formwick
