// A read-only view of a font image: a built-in font, or a custom image held
// by the runtime, narrow or wide.
//
//   narrow: height, width, 256 glyphs
//   wide:   0xFE 0xFE, 8192-byte presence bitmap of code points 0..65535
//           (byte n holds 8n..8n+7, most significant bit first), height,
//           width, then the glyphs of the present code points in order
//
// Glyph bytes follow the band layout of builtin_fonts.h. A view never reads
// past the image: bits beyond its end are blank.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace formwick {

class FontView {
public:
    FontView() = default;
    // Built-in font 0..4; an invalid view for any other number.
    static FontView builtin(int font);
    // A custom image; invalid when too short for its header or with a zero
    // glyph size.
    static FontView custom(const std::uint8_t* image, std::size_t size);

    bool valid() const { return width_ > 0 && height_ > 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool wide() const { return presence_ != nullptr; }
    std::size_t bytes_per_glyph() const { return static_cast<std::size_t>((height_ + 7) / 8 * width_); }

    // The glyph position for character code `code`: itself for a narrow
    // font (63 above 255); for a wide font the number of present code
    // points below it, or 0 when it is absent.
    int glyph_index(int code) const;
    // The stroke bit of pixel (x, y) of glyph position `index`.
    bool stroke(int index, int x, int y) const;
    // Row y of glyph position `index` at once: bit x is stroke(index, x, y).
    // For fonts up to 64 pixels wide (wider fonts: use stroke()).
    std::uint64_t row_strokes(int index, int y) const;
    static constexpr int kMaxRowWidth = 64;
    // The glyph bytes of the image (after its header), as far as it goes.
    std::span<const std::uint8_t> glyph_bytes() const { return {glyphs_, glyphs_size_}; }

private:
    // Where row y's bits lie: the band (a run of `width_` bytes) and the bit.
    void locate_row(int y, int& band, int& bit) const;

    const std::uint8_t* glyphs_ = nullptr;
    std::size_t glyphs_size_ = 0;
    const std::uint8_t* presence_ = nullptr;
    std::shared_ptr<const std::vector<std::uint32_t>> rank_; // present code points before each bitmap byte
    int width_ = 0, height_ = 0;
};

} // namespace formwick
