#include "simulator/core/regions/bitmap_region.h"

#include <gtest/gtest.h>

namespace formwick {
namespace {

TEST(BitmapRegion, RunsOfOneColourInRowOrder) {
    const std::uint32_t C = 0x00FF00, O = 0x123456;
    const std::uint32_t pixels[] = {C, O, C, C, C, C};
    const BitmapRegion r = region_of_colour(pixels, 3, 2, C);
    const std::vector<RegionRect> expected = {{0, 0, 1, 1}, {2, 0, 3, 1}, {0, 1, 3, 2}};
    EXPECT_EQ(r.rects, expected);
    EXPECT_EQ(r.bounds(), (RegionRect{0, 0, 3, 2}));
}

TEST(BitmapRegion, BoundsPlaceTheAreaAndAlphaIsIgnored) {
    // A 2 x 2 block at (3, 1) in a 6 x 4 picture, its pixels with alpha set.
    std::vector<std::uint32_t> pixels(24, 0xFFFFFF);
    for (int y = 1; y < 3; ++y)
        for (int x = 3; x < 5; ++x) pixels[static_cast<std::size_t>(y * 6 + x)] = 0xFF0000FF;
    const BitmapRegion r = region_of_colour(pixels.data(), 6, 4, 0x0000FF);
    EXPECT_EQ(r.rects.size(), 2u);
    EXPECT_EQ(r.bounds(), (RegionRect{3, 1, 5, 3}));

    const BitmapRegion none = region_of_colour(pixels.data(), 6, 4, 0x00FF00);
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none.bounds(), RegionRect{});
    EXPECT_TRUE(region_of_colour(nullptr, 6, 4, 0).empty());
}

} // namespace
} // namespace formwick
