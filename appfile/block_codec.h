// The two directions of a block layout.
//
// A layout is written once, as a function template that names every field
// with its offset and width (see image_blocks.cpp); BlockWriter runs it to
// put a record into a cleared work buffer, BlockReader runs the same layout
// to take the record back out. Numbers are little-endian. On reading, a
// flag is 1 only when its byte is 1, and a value outside its range leaves
// the record's field as it was (the record starts from its defaults).
#pragma once

#include "appfile/value_ranges.h"
#include "model/file_names.h"
#include "model/fixed_text.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace formwick {

class BlockWriter {
public:
    explicit BlockWriter(std::uint8_t* buffer) : buf_(buffer) {}

    template <class T> void u8(std::size_t off, const T& v, ValueRange) { put(off, 1, v); }
    template <class T> void u16(std::size_t off, const T& v, ValueRange) { put(off, 2, v); }
    template <class T> void u32(std::size_t off, const T& v, ValueRange) { put(off, 4, v); }
    template <class T> void flag(std::size_t off, const T& v) { buf_[off] = v ? 1 : 0; }

    // A zero-terminated text of at most N-1 bytes in an N-byte field.
    template <std::size_t N> void text(std::size_t off, const Text<N>& t) { bytes(off, text_bytes(t), N - 1); }
    // The first `width` bytes of a text; a text that long has no terminator.
    template <std::size_t N> void text_prefix(std::size_t off, std::size_t width, const Text<N>& t) {
        bytes(off, text_bytes(t), width);
    }
    void file_name(std::size_t off, const FileName& name);
    // A picture: its bytes when width and height are both non-zero, else zeros.
    template <std::size_t N> void picture(std::size_t off, const std::array<std::uint8_t, N>& p) {
        if (p[0] && p[1]) std::memcpy(buf_ + off, p.data(), N);
    }
    // Values the block carries for the terminal but a load takes elsewhere.
    void info_u8(std::size_t off, int v) { put(off, 1, v); }
    void info_u32(std::size_t off, int v) { put(off, 4, v); }

private:
    template <class T> void put(std::size_t off, int width, const T& v) {
        auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < width; ++i) buf_[off + i] = static_cast<std::uint8_t>(u >> (8 * i));
    }
    void bytes(std::size_t off, std::string_view b, std::size_t width) {
        std::memcpy(buf_ + off, b.data(), std::min(b.size(), width));
    }
    std::uint8_t* buf_;
};

class BlockReader {
public:
    explicit BlockReader(const std::uint8_t* buffer) : buf_(buffer) {}

    template <class T> void u8(std::size_t off, T& v, ValueRange r) { take(off, 1, v, r); }
    template <class T> void u16(std::size_t off, T& v, ValueRange r) { take(off, 2, v, r); }
    template <class T> void u32(std::size_t off, T& v, ValueRange r) { take(off, 4, v, r); }
    template <class T> void flag(std::size_t off, T& v) { v = buf_[off] == 1 ? 1 : 0; }

    template <std::size_t N> void text(std::size_t off, Text<N>& t) { set_text_bytes(t, bytes(off, N - 1)); }
    template <std::size_t N> void text_prefix(std::size_t off, std::size_t width, Text<N>& t) {
        set_text_bytes(t, bytes(off, width));
    }
    void file_name(std::size_t off, FileName& name);
    template <std::size_t N> void picture(std::size_t off, std::array<std::uint8_t, N>& p) {
        std::memcpy(p.data(), buf_ + off, N);
    }
    void info_u8(std::size_t, int) {}
    void info_u32(std::size_t, int) {}

private:
    template <class T> void take(std::size_t off, int width, T& v, ValueRange r) {
        std::uint32_t u = 0;
        for (int i = 0; i < width; ++i) u |= std::uint32_t{buf_[off + i]} << (8 * i);
        long long value = width == 4 ? static_cast<std::int32_t>(u) : static_cast<long long>(u);
        if (r.contains(value)) v = static_cast<T>(value);
    }
    // The bytes of a field up to its first zero, at most `width`.
    std::string_view bytes(std::size_t off, std::size_t width) const {
        const char* p = reinterpret_cast<const char*>(buf_ + off);
        return std::string_view(p, std::find(p, p + width, '\0') - p);
    }
    const std::uint8_t* buf_;
};

} // namespace formwick
