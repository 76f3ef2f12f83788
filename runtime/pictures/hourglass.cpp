// The busy animation: an hourglass whose sand runs down over six frames.
#include "runtime/pictures/pictures.h"

#include "runtime/pictures/art.h"

namespace formwick {

namespace {

constexpr const char* k_hourglass0_art[] = {
    "..############..",
    "..############..",
    "...#........#...",
    "....########....",
    ".....######.....",
    ".....######.....",
    "......####......",
    ".......##.......",
    ".......##.......",
    "......##.#......",
    ".....#..#.#.....",
    ".....#....#.....",
    "....#......#....",
    "...#........#...",
    "..############..",
    "..############..",
};
constexpr auto k_hourglass0 = picture_from_art<16, 16>(k_hourglass0_art);

constexpr const char* k_hourglass1_art[] = {
    "..############..",
    "..############..",
    "...#........#...",
    "....#......#....",
    ".....######.....",
    ".....######.....",
    "......####......",
    ".......##.......",
    ".......##.......",
    "......#.##......",
    ".....#.#..#.....",
    ".....#....#.....",
    "....########....",
    "...#........#...",
    "..############..",
    "..############..",
};
constexpr auto k_hourglass1 = picture_from_art<16, 16>(k_hourglass1_art);

constexpr const char* k_hourglass2_art[] = {
    "..############..",
    "..############..",
    "...#........#...",
    "....#......#....",
    ".....#....#.....",
    ".....######.....",
    "......####......",
    ".......##.......",
    ".......##.......",
    "......##.#......",
    ".....#..#.#.....",
    ".....######.....",
    "....########....",
    "...#........#...",
    "..############..",
    "..############..",
};
constexpr auto k_hourglass2 = picture_from_art<16, 16>(k_hourglass2_art);

constexpr const char* k_hourglass3_art[] = {
    "..############..",
    "..############..",
    "...#........#...",
    "....#......#....",
    ".....#....#.....",
    ".....#....#.....",
    "......####......",
    ".......##.......",
    ".......##.......",
    "......#.##......",
    ".....######.....",
    ".....######.....",
    "....########....",
    "...#........#...",
    "..############..",
    "..############..",
};
constexpr auto k_hourglass3 = picture_from_art<16, 16>(k_hourglass3_art);

constexpr const char* k_hourglass4_art[] = {
    "..############..",
    "..############..",
    "...#........#...",
    "....#......#....",
    ".....#....#.....",
    ".....#....#.....",
    "......####......",
    ".......##.......",
    ".......##.......",
    "......####......",
    ".....######.....",
    ".....######.....",
    "....########....",
    "...#........#...",
    "..############..",
    "..############..",
};
constexpr auto k_hourglass4 = picture_from_art<16, 16>(k_hourglass4_art);

constexpr const char* k_hourglass5_art[] = {
    "..############..",
    "..############..",
    "...#........#...",
    "....#......#....",
    ".....#....#.....",
    ".....#....#.....",
    "......#..#......",
    ".......##.......",
    ".......##.......",
    "......####......",
    ".....######.....",
    ".....######.....",
    "....########....",
    "...#........#...",
    "..############..",
    "..############..",
};
constexpr auto k_hourglass5 = picture_from_art<16, 16>(k_hourglass5_art);

} // namespace

ImageView picture_hourglass(int frame) {
    static const ImageView frames[kHourglassFrames] = {picture_view(k_hourglass0), picture_view(k_hourglass1), picture_view(k_hourglass2),
                                                       picture_view(k_hourglass3), picture_view(k_hourglass4), picture_view(k_hourglass5)};
    if (frame < 0 || frame >= kHourglassFrames) frame = 0;
    return frames[frame];
}

} // namespace formwick
