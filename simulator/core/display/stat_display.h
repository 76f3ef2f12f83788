// The simulated display: a pixel buffer of 128 x 128 (or any size), text in
// built-in and custom fonts, lines, monochrome images, the text cursor, and
// the screen saved to and restored from RAM disk files. It implements the
// display services of the terminal.
//
// Pixels are 32-bit values, top row first: kPixelDark (0) is a dark pixel,
// the background colour (white until a front end sets another) a background
// pixel. Drawing never leaves the buffer: pixels outside are skipped, and a
// cell outside the text area draws nothing.
//
// refresh() copies the buffer and the cursor into the frame, the picture
// front ends show (only the rows drawn since the last refresh are copied); compose_screen() (screen.h) adds the cursor underline to
// that frame. A front end may install a refresh handler to learn when a new
// frame is ready (called on the drawing thread, after the copy).
//
// Threads: the runtime draws, the tick draws the busy animation, a window
// reads frames. Drawing operations take one drawing lock, so the two
// drawing threads never interleave inside an operation; frames are copied
// under the frame lock. The state the runtime sets directly (cursor,
// reverse, offset) belongs to the runtime thread.
#pragma once

#include "runtime/services/terminal.h"
#include "simulator/core/display/font_view.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

namespace formwick {

using Pixel = std::uint32_t;
inline constexpr Pixel kPixelDark = 0x000000;
inline constexpr Pixel kPixelWhite = 0xFFFFFF;
inline constexpr Pixel kPixelOutside = 0xFF00FF; // get_pixel outside the buffer

enum PixelMode { PIXEL_BACKGROUND = 0, PIXEL_DARK = 1, PIXEL_INVERT = 2 };

// The screen file: (height / 8) x width bytes, bands of eight rows top band
// first, one byte per pixel column; bit k is row 8 x band + k; set = dark.
inline constexpr std::size_t kScreenFileSize = kScreenHeight / 8 * kScreenWidth; // 2048

// Formatted text of print_utf8 beyond this many bytes is cut.
inline constexpr std::size_t kPrintBufferSize = 100;

class CStatDisplay final : public DisplayService {
public:
    explicit CStatDisplay(int width = kScreenWidth, int height = kScreenHeight);

    // ---- the display services
    DisplayState& state() override { return state_; }
    const DisplayState& state() const { return state_; }
    void putc(int code) override;
    void refresh() override;
    void glyph(int code) override;
    void set_font(int font) override;
    void set_custom_font(const std::uint8_t* image, std::size_t size) override;
    void line(int x0, int y0, int x1, int y1, int mode) override;
    void image(int x, int y, ImageView image) override;
    int save(const char* name) override;
    int restore(const char* name) override;

    // The display's own formatted output of UTF-8 text: "\t" + "r" toggles
    // reverse, "\n" next row, "\f" clears, "\r" is ignored; every other
    // character is mapped to a glyph of the current font and drawn, with a
    // refresh after each. At most kPrintBufferSize - 1 bytes are drawn.
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    int print_utf8(const char* format, ...);

    // ---- pixels
    Pixel get_pixel(int x, int y) const;
    void set_pixel(int x, int y, int mode);
    bool is_dark(int x, int y) const { return get_pixel(x, y) == kPixelDark; }

    int width() const { return width_; }
    int height() const { return height_; }
    Pixel background() const { return background_; }
    // Pixels already drawn keep their colour; new background pixels use it.
    void set_background(Pixel colour) { background_ = colour; }
    const FontView& font() const { return font_; }

    // The last refreshed frame (a copy, taken under the frame lock) and the
    // number of refreshes so far.
    std::vector<Pixel> frame() const;
    // The frame's pixels and the state at that refresh, taken together.
    void frame_with_state(std::vector<Pixel>& pixels, DisplayState& state) const;
    std::uint64_t frame_count() const;
    void set_refresh_handler(std::function<void()> handler) { on_refresh_ = std::move(handler); }

private:
    void draw_glyph_at_cursor(int code);
    void draw_char(int code);
    void backspace();
    void line_feed();
    void scroll_up(int rows);
    void clear_screen();
    void select(const FontView& font);
    Pixel& at(int x, int y) { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // Rows [top, bottom) changed since the last refresh.
    void mark_rows(int top, int bottom) {
        dirty_top_ = std::min(dirty_top_, top);
        dirty_bottom_ = std::max(dirty_bottom_, bottom);
    }

    int width_, height_;
    Pixel background_ = kPixelWhite;
    std::vector<Pixel> pixels_;
    DisplayState state_;
    FontView font_;
    bool escape_pending_ = false;

    mutable std::recursive_mutex draw_lock_;
    mutable std::mutex frame_lock_;
    std::vector<Pixel> frame_;
    int dirty_top_ = 0, dirty_bottom_ = 0; // rows the frame lacks (none when empty)
    DisplayState frame_state_;
    std::uint64_t frame_count_ = 0;
    std::function<void()> on_refresh_;
};

} // namespace formwick
