#include "runtime/text/format.h"

#include "runtime/text/char_map.h"

#include <cstdint>
#include <cstring>

namespace formwick {

std::size_t utf8_prefix_bytes(const char* s, std::size_t length, std::size_t count) {
    const auto* u = reinterpret_cast<const unsigned char*>(s);
    std::size_t at = 0;
    for (std::size_t n = 0; n < count && at < length; ++n) {
        int code_point = 0;
        at += utf8_decode_display(u + at, length - at, code_point);
    }
    return at;
}

namespace {

// The output under construction: bytes past the capacity are dropped.
struct Out {
    char* data;
    std::size_t capacity;
    std::size_t used = 0;

    void put(char c) {
        if (used + 1 < capacity) data[used++] = c;
    }
    void put(const char* s, std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) put(s[i]);
    }
    void repeat(char c, long n) {
        for (; n > 0; --n) put(c);
    }
};

struct Spec {
    bool left = false, plus = false, space = false, alternate = false, zero = false;
    long width = 0;
    long precision = -1; // -1: none
    char size = 0;       // 'h', 'l' or 0
};

constexpr std::size_t kNumberScratch = 129;

// Digits of `value` in `base`, written backwards from the end of `scratch`;
// returns the first digit.
char* digits_of(std::uint32_t value, unsigned base, bool upper, char* end) {
    const char* set = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char* p = end;
    do {
        *--p = set[value % base];
        value /= base;
    } while (value != 0);
    return p;
}

// One converted field: prefix (sign or "0x"), leading precision zeros, body;
// padded to the width. `body_width` is the body's width (characters for S).
void emit_field(Out& out, const Spec& spec, const char* prefix, std::size_t prefix_length, long zeros,
                const char* body, std::size_t body_length, long body_width) {
    long shown = static_cast<long>(prefix_length) + zeros + body_width;
    long pad = spec.width > shown ? spec.width - shown : 0;
    if (spec.left) {
        out.put(prefix, prefix_length);
        out.repeat('0', zeros);
        out.put(body, body_length);
        out.repeat(' ', pad);
    } else if (spec.zero) {
        out.put(prefix, prefix_length);
        out.repeat('0', pad + zeros);
        out.put(body, body_length);
    } else {
        out.repeat(' ', pad);
        out.put(prefix, prefix_length);
        out.repeat('0', zeros);
        out.put(body, body_length);
    }
}

void emit_number(Out& out, Spec spec, char letter, va_list& args) {
    std::uint32_t bits;
    if (spec.size == 'l')
        bits = static_cast<std::uint32_t>(va_arg(args, long));
    else
        bits = static_cast<std::uint32_t>(va_arg(args, int));
    if (spec.size == 'h') bits &= 0xFFFFu;

    const bool is_signed = (letter == 'd' || letter == 'i') && spec.size != 'h';
    bool negative = false;
    std::uint32_t magnitude = bits;
    if (is_signed && static_cast<std::int32_t>(bits) < 0) {
        negative = true;
        magnitude = 0u - bits;
    }

    unsigned base = 10;
    bool upper = false;
    const char* prefix = "";
    if (letter == 'o') {
        base = 8;
        if (spec.alternate) prefix = "0";
    } else if (letter == 'x' || letter == 'X') {
        base = 16;
        if (spec.alternate) {
            upper = letter == 'X';
            prefix = upper ? "0X" : "0x";
        }
    } else if (letter == 'd' || letter == 'i') {
        if (negative)
            prefix = "-";
        else if (spec.plus)
            prefix = "+";
        else if (spec.space)
            prefix = " ";
    }

    char scratch[kNumberScratch];
    char* end = scratch + sizeof scratch;
    char* first = digits_of(magnitude, base, upper, end);
    std::size_t length = static_cast<std::size_t>(end - first);
    // A precision asks for at least that many digits; zero padding then
    // no longer applies, as the digits are already fixed.
    long zeros = 0;
    if (spec.precision >= 0) {
        if (spec.precision > static_cast<long>(length)) zeros = spec.precision - static_cast<long>(length);
        if (spec.precision == 0 && magnitude == 0) length = 0;
        spec.zero = false;
    }
    emit_field(out, spec, prefix, std::strlen(prefix), zeros, first, length, static_cast<long>(length));
}

void emit_bytes(Out& out, const Spec& spec, const char* s) {
    if (s == nullptr) s = "(null)";
    std::size_t length = std::strlen(s);
    if (spec.precision >= 0 && static_cast<std::size_t>(spec.precision) < length)
        length = static_cast<std::size_t>(spec.precision);
    emit_field(out, spec, "", 0, 0, s, length, static_cast<long>(length));
}

void emit_utf8(Out& out, const Spec& spec, const char* s) {
    if (s == nullptr) s = "(null)";
    const std::size_t total = std::strlen(s);
    const auto* u = reinterpret_cast<const unsigned char*>(s);
    std::size_t bytes = 0;
    long characters = 0;
    while (bytes < total && (spec.precision < 0 || characters < spec.precision)) {
        int code_point = 0;
        bytes += utf8_decode_display(u + bytes, total - bytes, code_point);
        ++characters;
    }
    emit_field(out, spec, "", 0, 0, s, bytes, characters);
}

} // namespace

std::size_t rt_vformat(char* data, std::size_t capacity, const char* format, va_list args) {
    if (capacity == 0) return 0;
    Out out{data, capacity};
    va_list ap;
    va_copy(ap, args);
    for (const char* f = format ? format : ""; *f; ++f) {
        if (*f != '%') {
            out.put(*f);
            continue;
        }
        Spec spec;
        for (++f;; ++f) {
            if (*f == '-') spec.left = true;
            else if (*f == '+') spec.plus = true;
            else if (*f == ' ') spec.space = true;
            else if (*f == '#') spec.alternate = spec.zero = true;
            else if (*f == '0') spec.zero = true;
            else break;
        }
        if (*f == '*') {
            spec.width = va_arg(ap, int);
            if (spec.width < 0) {
                spec.left = true;
                spec.width = -spec.width;
            }
            ++f;
        } else {
            for (; *f >= '0' && *f <= '9'; ++f) spec.width = spec.width * 10 + (*f - '0');
        }
        if (*f == '.') {
            ++f;
            spec.precision = 0;
            if (*f == '*') {
                int p = va_arg(ap, int);
                spec.precision = p < 0 ? -1 : p;
                ++f;
            } else {
                for (; *f >= '0' && *f <= '9'; ++f) spec.precision = spec.precision * 10 + (*f - '0');
            }
        }
        if (*f == 'h' || *f == 'l') spec.size = *f++;
        if (spec.left) spec.zero = false; // left-justified fields pad with spaces
        if (spec.plus) spec.space = false;

        switch (*f) {
        case 'd': case 'i': case 'u': case 'o': case 'x': case 'X':
            emit_number(out, spec, *f, ap);
            break;
        case 'c': {
            char c = static_cast<char>(va_arg(ap, int));
            emit_field(out, spec, "", 0, 0, &c, 1, 1);
            break;
        }
        case 's':
            emit_bytes(out, spec, va_arg(ap, const char*));
            break;
        case 'S':
            emit_utf8(out, spec, va_arg(ap, const char*));
            break;
        case 'C':
            (void)va_arg(ap, int);
            emit_field(out, spec, "", 0, 0, "", 0, 0);
            break;
        case '\0':
            --f; // a lone "%" at the end: nothing more to read
            break;
        default:
            out.put(*f);
            break;
        }
    }
    va_end(ap);
    data[out.used] = '\0';
    return out.used;
}

} // namespace formwick
