// The application icon as a list of filled shapes on a 256 x 256 canvas: a
// generic handheld terminal (scan window, screen with text lines, LED,
// keypad). The SVG writer and the PNG painter both draw this one list.
#pragma once

#include <cstdint>
#include <vector>

namespace formwick::icon {

constexpr double kCanvas = 256.0;

enum class Detail {
    Always, // drawn at every size
    Large,  // fine detail, left out of the small pictures
    Small,  // a coarser stand-in for Large detail at the small sizes
};

struct Shape {
    double x, y, w, h;
    double radius;      // corner radius; w / 2 with w == h makes a circle
    std::uint32_t rgb;  // 0xRRGGBB
    Detail detail = Detail::Always;
};

// Pictures up to this many pixels wide use the Small shapes instead of the Large ones.
constexpr int kSmallUpTo = 24;

// The shapes in painting order (back to front).
const std::vector<Shape>& terminal_icon();

// Whether a shape belongs to the picture of the given size; size 0 means
// the scalable picture, which carries the full detail.
bool drawn_at(const Shape& shape, int size);

} // namespace formwick::icon
