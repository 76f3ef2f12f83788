#include "editors/mono_bitmap.h"

#include <algorithm>

namespace formwick {

bool is_black_pixel(std::uint8_t red, std::uint8_t green, std::uint8_t blue, std::uint8_t alpha) {
    // Luminance in thousandths of full scale, then blended with white.
    const int luma = 299 * red + 587 * green + 114 * blue; // 0 .. 255000
    const int onWhite = (luma * alpha + 255000 * (255 - alpha)) / 255;
    return onWhite < 255000 / 2;
}

MonoPixels MonoPixels::white(int width, int height, int maxKeptWidth, int maxKeptHeight) {
    MonoPixels p;
    p.width = std::max(width, 0);
    p.height = std::max(height, 0);
    p.keptWidth = std::min(p.width, std::max(maxKeptWidth, 0));
    p.keptHeight = std::min(p.height, std::max(maxKeptHeight, 0));
    p.black.assign(static_cast<std::size_t>(p.keptWidth) * static_cast<std::size_t>(p.keptHeight), false);
    return p;
}

std::size_t pack_monochrome(const MonoPixels& pixels, PictureSlot slot, std::span<std::uint8_t> out) {
    if (pixels.width <= 0 || pixels.height <= 0) return 0;
    const int width = slot.cutToPicture ? std::min(slot.maxWidth, pixels.width) : slot.maxWidth;
    const int height = slot.cutToPicture ? std::min(slot.maxHeight, pixels.height) : slot.maxHeight;
    const int rowBytes = (width + 7) / 8;
    const std::size_t size = 2 + static_cast<std::size_t>(height) * static_cast<std::size_t>(rowBytes);
    if (out.size() < size) return 0;

    out[0] = static_cast<std::uint8_t>(width);
    out[1] = static_cast<std::uint8_t>(height);
    std::size_t n = 2;
    for (int y = 0; y < height; ++y) {
        for (int i = 0; i < rowBytes; ++i) {
            std::uint8_t byte = 0;
            for (int bit = 0; bit < 8; ++bit) {
                const int x = 8 * i + bit;
                // Pixels right of the picture's width stay 0, in the data
                // and in the unused bits alike.
                if (x < width && pixels.at(x, y)) byte |= static_cast<std::uint8_t>(0x80 >> bit);
            }
            out[n++] = byte;
        }
    }
    return n;
}

} // namespace formwick
