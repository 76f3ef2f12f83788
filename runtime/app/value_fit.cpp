#include "runtime/app/value_fit.h"

namespace formwick {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v'; }
bool is_continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

} // namespace

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && is_blank(text.back())) text.remove_suffix(1);
    return text;
}

std::string strip_leading_zeros(std::string_view text) {
    std::string out;
    if (!text.empty() && text.front() == '-') {
        out += '-';
        text.remove_prefix(1);
    }
    // A number keeps the zero before its point: 0.50 as the editor and the
    // sums write it, never .50.
    while (!text.empty() && text.front() == '0' && !(text.size() > 1 && text[1] == '.')) text.remove_prefix(1);
    out += text;
    return out;
}

int count_chars(std::string_view text) {
    int n = 0;
    for (char c : text)
        if (!is_continuation(c)) ++n;
    return n;
}

std::string_view cut_chars(std::string_view text, int width) {
    if (width <= 0) return {};
    int n = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!is_continuation(text[i])) {
            if (n == width) return text.substr(0, i);
            ++n;
        }
    }
    return text;
}

std::string fit_value(std::string_view value, int width, int alignment, bool numeric) {
    std::string_view cut = cut_chars(value, width);
    if (alignment == kAlignVariable) return std::string(cut);
    int pad = width - count_chars(cut);
    if (pad < 0) pad = 0;
    switch (alignment) {
    case kAlignRightSpace: return std::string(pad, ' ') + std::string(cut);
    case kAlignLeftZero: return std::string(cut) + std::string(pad, '0');
    case kAlignRightZero:
        if (numeric && !cut.empty() && cut.front() == '-') return "-" + std::string(pad, '0') + std::string(cut.substr(1));
        return std::string(pad, '0') + std::string(cut);
    default: return std::string(cut) + std::string(pad, ' ');
    }
}

} // namespace formwick
