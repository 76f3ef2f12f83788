#include "simulator/core/display/png_file.h"

#include <png.h>

#include <cstdio>
#include <memory>

namespace formwick {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

bool write_gray_png(const std::string& path, int width, int height, const std::vector<std::uint8_t>& gray,
                    std::string& error) {
    if (width <= 0 || height <= 0 || gray.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {
        error = "picture size does not match its pixels";
        return false;
    }
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) {
        error = "cannot create " + path;
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        error = "out of memory writing " + path;
        return false;
    }
    // libpng reports failures by jumping back here; nothing with a
    // destructor is created between this point and the writes.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error = "cannot write " + path;
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8, PNG_COLOR_TYPE_GRAY,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, gray.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(width));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    if (std::fflush(file.get()) != 0) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace formwick
