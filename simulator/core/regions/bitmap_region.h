// The region of a picture made of every pixel of one colour, as run-length
// rectangles: the simulator's windows take their shape from it and their
// placement from its bounding box.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace formwick {

// Half-open: covers left <= x < right, top <= y < bottom.
struct RegionRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const RegionRect&) const = default;
};

struct BitmapRegion {
    // One rectangle of height 1 per run, rows top to bottom and each row
    // left to right.
    std::vector<RegionRect> rects;

    bool empty() const { return rects.empty(); }
    // The smallest rectangle holding every run; all zero when empty.
    RegionRect bounds() const;
};

// Scans a width x height picture through `matches(x, y)`.
BitmapRegion region_where(int width, int height, const std::function<bool(int x, int y)>& matches);

// The pixels of `colour` in 32-bit 0xRRGGBB pixels, top row first (the top
// byte, alpha or padding, is ignored).
BitmapRegion region_of_colour(const std::uint32_t* pixels, int width, int height, std::uint32_t colour);

} // namespace formwick
