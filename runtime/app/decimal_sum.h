// Exact decimal sums of two data-record values ("12.5" + "-2.25" = "10.25").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace formwick {

// Whether `text` (already trimmed) is a number: an optional leading minus,
// digits and at most one decimal point, with at least one digit, at most
// 18 digits before the point and at most 9 after it.
bool is_decimal_number(std::string_view text);

// The signed sum of two numbers, with as many decimals as the operand with
// more, a minus first when negative, no leading zeros ("0.5", not ".5").
// Nothing when either text is not a number.
std::optional<std::string> decimal_sum(std::string_view a, std::string_view b);

} // namespace formwick
