// Pictures in the terminal's packed monochrome form, made from decoded
// pixels. No file formats here: the caller decodes the file and hands over
// one black-or-white value per pixel.
//
//   offset 0  width in pixels (1..128)
//   offset 1  height in pixels (1..128)
//   offset 2  height rows, top first, ceil(width / 8) bytes each; the most
//             significant bit is the leftmost pixel, 1 = black; the unused
//             low bits of a row's last byte are 0
//
// A width or height byte of 0 means the slot holds no picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace formwick {

// Decoded pixels of a picture of width x height. Only the top-left
// keptWidth x keptHeight of them are held (no slot shows more, and a huge
// picture must not cost memory); the rest count as white.
struct MonoPixels {
    int width = 0;
    int height = 0;
    int keptWidth = 0;
    int keptHeight = 0;
    std::vector<bool> black; // keptWidth * keptHeight, top row first, true = black

    // An all-white picture keeping at most maxKeptWidth x maxKeptHeight.
    static MonoPixels white(int width, int height, int maxKeptWidth, int maxKeptHeight);
    void set(int x, int y, bool isBlack) {
        if (x >= 0 && y >= 0 && x < keptWidth && y < keptHeight) black[index(x, y)] = isBlack;
    }
    bool at(int x, int y) const { return x >= 0 && y >= 0 && x < keptWidth && y < keptHeight && black[index(x, y)]; }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(keptWidth) + static_cast<std::size_t>(x);
    }
};

// A colour pixel is black when its luminance (ITU-R BT.601 weights) is below
// 50 %; a see-through pixel is first laid over white paper.
bool is_black_pixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha = 255);

// How a slot sizes its picture.
struct PictureSlot {
    int maxWidth;
    int maxHeight;
    // true: the picture's own size, cut to the maximum; false: always the
    // maximum, cut or padded with white.
    bool cutToPicture;
};
inline constexpr PictureSlot kSplashSlot{128, 128, true};
inline constexpr PictureSlot kMenuImageSlot{64, 64, false};

// Packs `pixels` for `slot` into `out`. Returns the number of bytes written
// (2 + height * ceil(width / 8)), or 0 when the picture is empty or `out`
// is too small; then `out` is not touched.
std::size_t pack_monochrome(const MonoPixels& pixels, PictureSlot slot, std::span<std::uint8_t> out);

} // namespace formwick
