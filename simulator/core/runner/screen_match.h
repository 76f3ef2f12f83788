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

// `s` with each run of blanks as one blank and no blanks at either end.
std::string squeeze_blanks(std::string_view s);

// The rows of one reading of the screen over which `text` runs when it is
// wrapped the way the runtime wraps messages: a blank of `text` may fall at
// a row's end, and a word too long for a row runs on at the start of the
// next. Blank runs count as one blank; rows are taken without their leading
// and trailing blanks. Empty when `text` is not there.
std::vector<std::string> rows_wrapping(const std::vector<std::string>& rows, std::string_view text);

// At most `count` distinct rows that share the most characters with `text`
// at the same positions (for any placement of `text` over the row), best
// first. Rows that share none, and rows of nothing but unread cells, are
// left out.
std::vector<std::string> nearest_rows(const std::vector<std::string>& rows, std::string_view text,
                                      std::size_t count);

} // namespace formwick
