#include "runtime/app/decimal_sum.h"

namespace formwick {

namespace {

constexpr int kMaxIntegerDigits = 18;
constexpr int kMaxDecimals = 9;

struct Decimal {
    __int128 scaled = 0; // value x 10^decimals
    int decimals = 0;
};

std::optional<Decimal> parse(std::string_view text) {
    Decimal d;
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    int integer_digits = 0, digits = 0;
    bool point = false;
    for (char c : text) {
        if (c == '.') {
            if (point) return std::nullopt;
            point = true;
        } else if (c >= '0' && c <= '9') {
            d.scaled = d.scaled * 10 + (c - '0');
            ++digits;
            if (point) ++d.decimals;
            else ++integer_digits;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || integer_digits > kMaxIntegerDigits || d.decimals > kMaxDecimals) return std::nullopt;
    if (negative) d.scaled = -d.scaled;
    return d;
}

__int128 scale(__int128 v, int by) {
    while (by-- > 0) v *= 10;
    return v;
}

std::string format(__int128 scaled, int decimals) {
    bool negative = scaled < 0;
    if (negative) scaled = -scaled;
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(scaled % 10)));
        scaled /= 10;
    } while (scaled != 0);
    while (static_cast<int>(digits.size()) <= decimals) digits.insert(digits.begin(), '0');
    if (decimals > 0) digits.insert(digits.end() - decimals, '.');
    bool zero = digits.find_first_not_of("0.") == std::string::npos;
    return (negative && !zero ? "-" : "") + digits;
}

} // namespace

bool is_decimal_number(std::string_view text) { return parse(text).has_value(); }

std::optional<std::string> decimal_sum(std::string_view a, std::string_view b) {
    auto x = parse(a), y = parse(b);
    if (!x || !y) return std::nullopt;
    int decimals = x->decimals > y->decimals ? x->decimals : y->decimals;
    __int128 sum = scale(x->scaled, decimals - x->decimals) + scale(y->scaled, decimals - y->decimals);
    return format(sum, decimals);
}

} // namespace formwick
