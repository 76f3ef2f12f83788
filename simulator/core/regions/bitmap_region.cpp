#include "simulator/core/regions/bitmap_region.h"

#include <algorithm>

namespace formwick {

RegionRect BitmapRegion::bounds() const {
    if (rects.empty()) return {};
    RegionRect box = rects.front();
    for (const RegionRect& r : rects) {
        box.left = std::min(box.left, r.left);
        box.top = std::min(box.top, r.top);
        box.right = std::max(box.right, r.right);
        box.bottom = std::max(box.bottom, r.bottom);
    }
    return box;
}

BitmapRegion region_where(int width, int height, const std::function<bool(int x, int y)>& matches) {
    BitmapRegion region;
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            if (!matches(x, y)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < width && matches(x, y)) ++x;
            region.rects.push_back({start, y, x, y + 1});
        }
    }
    return region;
}

BitmapRegion region_of_colour(const std::uint32_t* pixels, int width, int height, std::uint32_t colour) {
    if (!pixels || width <= 0 || height <= 0) return {};
    const std::uint32_t want = colour & 0xFFFFFFu;
    return region_where(width, height, [&](int x, int y) {
        return (pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] &
                0xFFFFFFu) == want;
    });
}

} // namespace formwick
