// Trimming and fitting of values to a width, used for form line values,
// data record fields and lookup keys. Widths count UTF-8 characters.
#pragma once

#include <string>
#include <string_view>

namespace formwick {

enum Alignment {
    kAlignLeftSpace = 0,  // value, then blanks; cut at the width
    kAlignRightSpace = 1, // blanks, then value; cut at the width
    kAlignLeftZero = 2,   // value, then '0's
    kAlignRightZero = 3,  // '0's, then value; a number's minus moves to the front
    kAlignVariable = 4,   // unchanged, cut at the width
};

// Without leading and trailing white space.
std::string_view trim_blanks(std::string_view text);
// Without leading zeros after an optional minus ("-007" -> "-7", "000" -> "");
// one zero before a decimal point stays ("00.50" -> "0.50").
std::string strip_leading_zeros(std::string_view text);

// The first `width` characters of `text`.
std::string_view cut_chars(std::string_view text, int width);
int count_chars(std::string_view text);

// Fits `value` to `width` characters by `alignment`. `numeric` decides
// whether alignment 3 moves a leading minus to the first position.
std::string fit_value(std::string_view value, int width, int alignment, bool numeric);

} // namespace formwick
