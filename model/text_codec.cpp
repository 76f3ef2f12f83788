#include "model/text_codec.h"

#include <cstdlib>
#include <iconv.h>
#include <vector>

namespace formwick {

namespace {

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

void append_utf16(std::u16string& out, char32_t cp) {
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
    } else {
        cp -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (cp >> 10));
        out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    }
}

// Calls fn(code_point) for every character of a UTF-16 text; a lone
// surrogate is passed as '?'.
template <class Fn> void for_each_code_point(std::u16string_view text, Fn fn) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = '?';
        }
        fn(c);
    }
}

std::size_t utf8_sequence_length(unsigned char lead) {
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 0;
}

} // namespace

std::string utf16_to_utf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for_each_code_point(text, [&](char32_t cp) { append_utf8(out, cp); });
    return out;
}

std::u16string utf8_to_utf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t len = utf8_sequence_length(lead);
        bool ok = len > 0 && i + len <= text.size();
        char32_t cp = 0;
        if (ok) {
            cp = len == 1 ? lead : (lead & (0x7F >> len));
            for (std::size_t k = 1; k < len; ++k) {
                unsigned char c = static_cast<unsigned char>(text[i + k]);
                if ((c & 0xC0) != 0x80) {
                    ok = false;
                    break;
                }
                cp = (cp << 6) | (c & 0x3F);
            }
        }
        if (!ok) {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        append_utf16(out, cp);
        i += len;
    }
    return out;
}

std::string_view utf8_cut(std::string_view utf8, std::size_t max_bytes) {
    if (utf8.size() <= max_bytes) return utf8;
    std::size_t end = max_bytes;
    // Step back over continuation bytes to the lead byte of the last
    // character, then keep it only when it is whole.
    std::size_t lead = end;
    while (lead > 0 && (static_cast<unsigned char>(utf8[lead]) & 0xC0) == 0x80) --lead;
    std::size_t len = utf8_sequence_length(static_cast<unsigned char>(utf8[lead]));
    if (lead < end && len != 0 && lead + len > end) end = lead;
    return utf8.substr(0, end);
}

AnsiCodePage::AnsiCodePage(const char* iconv_name) : name_(iconv_name) {
    for (int b = 0; b < 256; ++b) decode_[b] = static_cast<char32_t>(b);
    iconv_t cd = iconv_open("UTF-32LE", iconv_name);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        name_.clear();
        return;
    }
    for (int b = 0; b < 256; ++b) {
        char in = static_cast<char>(b);
        unsigned char out[8] = {};
        char* inp = &in;
        char* outp = reinterpret_cast<char*>(out);
        std::size_t inleft = 1, outleft = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &inp, &inleft, &outp, &outleft) != static_cast<std::size_t>(-1) &&
            outleft == sizeof out - 4) {
            decode_[b] = out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<char32_t>(out[3]) << 24);
        }
    }
    iconv_close(cd);
}

const AnsiCodePage& AnsiCodePage::current() {
    static const AnsiCodePage page = [] {
        const char* env = std::getenv("FORMWICK_CODEPAGE");
        if (env && *env) {
            AnsiCodePage named(env);
            if (!named.name().empty()) return named;
        }
        return AnsiCodePage("WINDOWS-1252");
    }();
    return page;
}

unsigned char AnsiCodePage::encode(char32_t code_point) const {
    // Prefer the byte of the same value (ASCII, and the Latin-1 range for
    // most single-byte pages), then search the table.
    if (code_point < 256 && decode_[code_point] == code_point) return static_cast<unsigned char>(code_point);
    for (int b = 0; b < 256; ++b)
        if (decode_[b] == code_point) return static_cast<unsigned char>(b);
    return '?';
}

std::u16string AnsiCodePage::to_utf16(std::string_view ansi) const {
    std::u16string out;
    out.reserve(ansi.size());
    for (char c : ansi) append_utf16(out, decode(static_cast<unsigned char>(c)));
    return out;
}

std::string AnsiCodePage::from_utf16(std::u16string_view text) const {
    std::string out;
    out.reserve(text.size());
    for_each_code_point(text, [&](char32_t cp) { out += static_cast<char>(encode(cp)); });
    return out;
}

} // namespace formwick
