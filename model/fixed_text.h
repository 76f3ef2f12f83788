// Fixed-size text fields of the parameter model.
//
// Text<N> is N bytes, NUL-terminated, so it holds at most N-1 bytes of text;
// the bytes after the terminator are always zero, which keeps copies and the
// configuration image deterministic. WideText<N> is the same with 16-bit
// characters (file names only).
//
// Which encoding a field uses is the caller's knowledge: the *_utf8 helpers
// serve the texts the terminal shows, the *_ansi helpers the texts kept in
// the ANSI code page (see text_codec.h).
#pragma once

#include "model/text_codec.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace formwick {

template <std::size_t N> using Text = std::array<char, N>;
template <std::size_t N> using WideText = std::array<char16_t, N>;

// The bytes up to the terminator.
template <std::size_t N> std::string_view text_bytes(const Text<N>& t) {
    return std::string_view(t.data(), std::find(t.begin(), t.end(), '\0') - t.begin());
}

// Stores raw bytes: at most N-1, the rest zero. No encoding rule applies.
template <std::size_t N> void set_text_bytes(Text<N>& t, std::string_view bytes) {
    t.fill('\0');
    std::copy_n(bytes.begin(), std::min(bytes.size(), N - 1), t.begin());
}

// Stores UTF-8 text cut at the last whole character that fits.
template <std::size_t N> void set_text_utf8(Text<N>& t, std::string_view utf8) {
    set_text_bytes(t, utf8_cut(utf8, N - 1));
}

template <std::size_t N> std::u16string get_utf8(const Text<N>& t) { return utf8_to_utf16(text_bytes(t)); }
template <std::size_t N> void set_utf8(Text<N>& t, std::u16string_view text) {
    set_text_utf8(t, utf16_to_utf8(text));
}

template <std::size_t N> std::u16string get_ansi(const Text<N>& t) {
    return AnsiCodePage::current().to_utf16(text_bytes(t));
}
template <std::size_t N> void set_ansi(Text<N>& t, std::u16string_view text) {
    set_text_bytes(t, AnsiCodePage::current().from_utf16(text));
}

template <std::size_t N> std::u16string get_wide(const WideText<N>& t) {
    return std::u16string(t.data(), std::find(t.begin(), t.end(), u'\0') - t.begin());
}
template <std::size_t N> void set_wide(WideText<N>& t, std::u16string_view text) {
    t.fill(u'\0');
    std::copy_n(text.begin(), std::min(text.size(), N - 1), t.begin());
}

} // namespace formwick
