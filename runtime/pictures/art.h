// Pictures drawn as text: one string per pixel row, "#" dark and "." (or
// anything else) background. picture_from_art turns them into the
// monochrome image layout at compile time: width, height, then each row in
// (width + 7) / 8 bytes, most significant bit leftmost.
#pragma once

#include "runtime/services/records.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace formwick {

template <std::size_t W, std::size_t H>
using PictureBytes = std::array<std::uint8_t, 2 + H * ((W + 7) / 8)>;

template <std::size_t W, std::size_t H>
constexpr PictureBytes<W, H> picture_from_art(const char* const (&rows)[H]) {
    static_assert(W > 0 && W <= 255 && H > 0 && H <= 255);
    PictureBytes<W, H> out{};
    out[0] = static_cast<std::uint8_t>(W);
    out[1] = static_cast<std::uint8_t>(H);
    constexpr std::size_t stride = (W + 7) / 8;
    for (std::size_t y = 0; y < H; ++y) {
        const char* row = rows[y];
        for (std::size_t x = 0; x < W && row[x] != '\0'; ++x)
            if (row[x] == '#') out[2 + y * stride + x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
    }
    return out;
}

template <std::size_t N> ImageView picture_view(const std::array<std::uint8_t, N>& bytes) {
    return ImageView{bytes.data(), bytes.size()};
}

} // namespace formwick
