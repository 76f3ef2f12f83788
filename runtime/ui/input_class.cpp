#include "runtime/ui/input_class.h"

namespace formwick {

namespace {

bool is_digit(unsigned char c) { return c >= '0' && c <= '9'; }
// Letters: ASCII letters and every byte of a non-ASCII UTF-8 character.
bool is_letter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c >= 0x80; }
bool is_printable(unsigned char c) { return (c >= 32 && c != 127); }
bool is_space(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool byte_fits(unsigned char c, int cls) {
    cls &= INPUT_CLASS_MASK & ~INPUT_MINUS;
    if (cls & INPUT_PRINTABLE) return is_printable(c);
    if (cls & INPUT_BOOLEAN) return c == '0' || c == '1';
    if (input_is_real(cls)) return is_digit(c) || c == '.';
    bool ok = false;
    if (cls & INPUT_DIGITS) ok = ok || is_digit(c);
    if (cls & INPUT_LETTERS) ok = ok || is_letter(c) || c == ' ';
    return ok;
}

std::string trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && is_space(static_cast<unsigned char>(s[b]))) ++b;
    while (e > b && is_space(static_cast<unsigned char>(s[e - 1]))) --e;
    return s.substr(b, e - b);
}

} // namespace

bool input_key_fits(int key, int cls) {
    if (key < 32 || key > 126) return false; // keys above 126 are the terminal's own keys
    return byte_fits(static_cast<unsigned char>(key), cls);
}

bool input_barcode_fits(const std::string& code, int cls) {
    if (code.empty()) return false;
    if (cls & INPUT_BOOLEAN) return code.size() == 1 && byte_fits(static_cast<unsigned char>(code[0]), cls);
    std::size_t at = 0;
    if ((cls & INPUT_MINUS) && (input_is_real(cls) || input_is_integer(cls)) && code[0] == '-') at = 1;
    int points = 0;
    std::size_t point_at = 0;
    for (std::size_t i = at; i < code.size(); ++i) {
        if (!byte_fits(static_cast<unsigned char>(code[i]), cls)) return false;
        if (code[i] == '.' && input_is_real(cls)) {
            ++points;
            point_at = i;
        }
    }
    if (input_is_real(cls)) {
        if (points > 1) return false;
        if (points == 1 && static_cast<int>(code.size() - point_at - 1) > input_decimals(cls)) return false;
        if (at == code.size()) return false; // a lone minus
    }
    return true;
}

std::string input_normalise(std::string text, int cls) {
    if (input_is_real(cls)) {
        if (text.empty()) return text;
        std::size_t sign = text[0] == '-' ? 1 : 0;
        std::size_t point = text.find('.');
        if (point == std::string::npos) {
            text += '.';
            point = text.size() - 1;
        }
        if (point == sign) {
            text.insert(sign, 1, '0');
            ++point;
        }
        const std::size_t decimals = static_cast<std::size_t>(input_decimals(cls));
        while (text.size() - point - 1 < decimals) text += '0';
        return text;
    }
    if (input_is_integer(cls)) {
        text = trimmed(text);
        std::size_t sign = !text.empty() && text[0] == '-' ? 1 : 0;
        std::size_t zeros = sign;
        while (zeros < text.size() && text[zeros] == '0') ++zeros;
        text.erase(sign, zeros - sign);
        if (text == "-") text.clear();
        return text;
    }
    return text;
}

} // namespace formwick
