// Draws every default picture of the runtime on one sheet, enlarged, so a
// person can check them at a glance:
//   formwick_picture_sheet tools/pictures/sheets/pictures.png
#include "runtime/pictures/pictures.h"
#include "simulator/core/display/png_file.h"

#include <cstdio>
#include <vector>

namespace {

constexpr int kScale = 3;
constexpr int kGap = 4; // background pixels between pictures, before scaling
constexpr int kSheetWidth = 2 * kGap + 128 + kGap + 128;

struct Sheet {
    int width = kSheetWidth;
    int height = 0;
    std::vector<std::uint8_t> pixels; // unscaled, 0 dark, 255 background

    void grow(int h) {
        if (h <= height) return;
        pixels.resize(static_cast<std::size_t>(width * h), 255);
        height = h;
    }
    void draw(formwick::ImageView image, int x, int y) {
        const int w = image.data[0], h = image.data[1], stride = (w + 7) / 8;
        grow(y + h + kGap);
        // A light frame shows each picture's extent.
        for (int i = -1; i <= w; ++i)
            for (int j : {-1, h}) pixels[static_cast<std::size_t>((y + j) * width + x + i)] = 200;
        for (int j = -1; j <= h; ++j)
            for (int i : {-1, w}) pixels[static_cast<std::size_t>((y + j) * width + x + i)] = 200;
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i)
                if (image.data[2 + j * stride + i / 8] & (0x80 >> (i % 8)))
                    pixels[static_cast<std::size_t>((y + j) * width + x + i)] = 0;
    }
};

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s sheet.png\n", argv[0]);
        return 2;
    }
    using namespace formwick;
    Sheet sheet;
    int y = kGap;
    sheet.draw(picture_bar(), kGap, y);
    sheet.draw(picture_logo(), 2 * kGap + 128, y);
    y += 13 + kGap;
    int x = kGap;
    for (ImageView v : {picture_menu_input(), picture_menu_communicate(), picture_menu_utilities()}) {
        sheet.draw(v, x, y);
        x += 64 + kGap;
    }
    y += 64 + kGap;
    x = kGap;
    for (ImageView v : {picture_battery(), picture_memory(), picture_receive(), picture_transmit()}) {
        sheet.draw(v, x, y);
        x += v.data[0] + kGap;
    }
    for (int f = 0; f < kHourglassFrames; ++f) {
        sheet.draw(picture_hourglass(f), x, y);
        x += 16 + kGap;
    }

    std::vector<std::uint8_t> scaled(static_cast<std::size_t>(sheet.width * kScale * sheet.height * kScale));
    for (int j = 0; j < sheet.height * kScale; ++j)
        for (int i = 0; i < sheet.width * kScale; ++i)
            scaled[static_cast<std::size_t>(j * sheet.width * kScale + i)] =
                sheet.pixels[static_cast<std::size_t>((j / kScale) * sheet.width + i / kScale)];
    std::string error;
    if (!write_gray_png(argv[1], sheet.width * kScale, sheet.height * kScale, scaled, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    return 0;
}
