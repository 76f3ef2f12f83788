// Conversions between the user interface's wide text (UTF-16) and the two
// 8-bit encodings of the model's fixed text fields:
//  - UTF-8 for every text the terminal shows;
//  - the ANSI code page (Windows-1252 unless FORMWICK_CODEPAGE names another
//    single-byte code page known to iconv) for terminal ID, password, version,
//    initial values, prefixes, suffixes and the barcode system settings.
//
// Cutting rule: a text stored into an array of n bytes keeps at most n-1
// bytes and never ends in the middle of a UTF-8 sequence.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace formwick {

// UTF-16 -> UTF-8. A lone surrogate becomes "?".
std::string utf16_to_utf8(std::u16string_view text);
// UTF-8 -> UTF-16. An invalid byte becomes U+FFFD.
std::u16string utf8_to_utf16(std::string_view text);

// Longest prefix of `utf8` of at most `max_bytes` bytes that ends on a
// character boundary.
std::string_view utf8_cut(std::string_view utf8, std::size_t max_bytes);

// The single-byte code page used for ANSI fields, built once from iconv.
class AnsiCodePage {
public:
    // The code page named by FORMWICK_CODEPAGE, else Windows-1252. An unknown
    // name falls back to Windows-1252.
    static const AnsiCodePage& current();
    explicit AnsiCodePage(const char* iconv_name);

    const std::string& name() const { return name_; }
    // Every byte decodes to a code point; bytes the code page leaves undefined
    // decode to the code point of the same value, so they survive a round trip.
    char32_t decode(unsigned char byte) const { return decode_[byte]; }
    // The byte for a code point, or '?' when the code page cannot hold it.
    unsigned char encode(char32_t code_point) const;

    std::u16string to_utf16(std::string_view ansi) const;
    std::string from_utf16(std::u16string_view text) const;

private:
    std::string name_;
    char32_t decode_[256];
};

} // namespace formwick
