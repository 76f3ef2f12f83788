#include "simulator/core/display/stat_display.h"

#include "runtime/text/char_map.h"

#include <algorithm>
#include <cstdarg>
#include <cstdlib>

namespace formwick {

CStatDisplay::CStatDisplay(int width, int height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), kPixelWhite),
      frame_(pixels_) {
    set_font(2);
}

// ------------------------------------------------------------------ fonts

void CStatDisplay::select(const FontView& font) {
    font_ = font;
    state_.wideFont = font.wide();
    state_.glyphWidth = font.width();
    state_.glyphHeight = font.height();
    state_.columns = width_ / font.width();
    state_.rows = height_ / font.height();
}

void CStatDisplay::set_font(int font) {
    FontView view = FontView::builtin(font);
    if (view.valid()) select(view);
}

void CStatDisplay::set_custom_font(const std::uint8_t* image, std::size_t size) {
    // An image without a usable header is refused and the font stays as it
    // was: a zero glyph size would leave no cells at all.
    FontView view = FontView::custom(image, size);
    if (view.valid()) select(view);
}

// ------------------------------------------------------------------ pixels

Pixel CStatDisplay::get_pixel(int x, int y) const {
    std::lock_guard<std::recursive_mutex> draw(draw_lock_);
    if (!inside(x, y)) return kPixelOutside;
    return pixels_[static_cast<std::size_t>(y * width_ + x)];
}

void CStatDisplay::set_pixel(int x, int y, int mode) {
    std::lock_guard<std::recursive_mutex> draw(draw_lock_);
    if (!inside(x, y)) return;
    mark_rows(y, y + 1);
    Pixel& p = at(x, y);
    switch (mode) {
    case PIXEL_BACKGROUND: p = background_; break;
    case PIXEL_DARK: p = kPixelDark; break;
    case PIXEL_INVERT: p = p == kPixelDark ? background_ : kPixelDark; break;
    default: break;
    }
}

// ------------------------------------------------------------------ text

void CStatDisplay::draw_glyph_at_cursor(int code) {
    const int column = state_.cursorColumn, row = state_.cursorRow;
    if (column < 0 || row < 0 || column >= state_.columns || row >= state_.rows) return;
    const int index = font_.glyph_index(code);
    const int left = column * font_.width();
    const int top = state_.textYOffset + row * font_.height();
    // Clipped once to the buffer; the caller holds the drawing lock. Glyphs
    // are opaque: every visible pixel of the cell is written.
    const int x0 = std::max(0, -left), x1 = std::min(font_.width(), width_ - left);
    const int y0 = std::max(0, -top), y1 = std::min(font_.height(), height_ - top);
    const bool byRow = font_.width() <= FontView::kMaxRowWidth;
    for (int y = y0; y < y1; ++y) {
        Pixel* out = &at(left, top + y);
        if (byRow) {
            const std::uint64_t strokes = font_.row_strokes(index, y);
            for (int x = x0; x < x1; ++x) out[x] = ((strokes >> x) & 1u) != state_.reverse ? kPixelDark : background_;
        } else {
            for (int x = x0; x < x1; ++x) out[x] = font_.stroke(index, x, y) != state_.reverse ? kPixelDark : background_;
        }
    }
    if (y0 < y1) mark_rows(top + y0, top + y1);
}

void CStatDisplay::glyph(int code) {
    std::lock_guard<std::recursive_mutex> draw(draw_lock_);
    draw_glyph_at_cursor(code);
}

void CStatDisplay::draw_char(int code) {
    draw_glyph_at_cursor(code);
    ++state_.cursorColumn; // no wrap: the column keeps counting past the edge
}

void CStatDisplay::backspace() {
    if (state_.cursorColumn > 0) {
        --state_.cursorColumn;
    } else if (state_.cursorRow > 0) {
        --state_.cursorRow;
        state_.cursorColumn = state_.columns - 1;
    } else {
        return;
    }
    draw_glyph_at_cursor(' ');
}

void CStatDisplay::scroll_up(int rows) {
    rows = std::clamp(rows, 0, height_);
    const auto shift = static_cast<std::ptrdiff_t>(rows) * width_;
    std::copy(pixels_.begin() + shift, pixels_.end(), pixels_.begin());
    std::fill(pixels_.end() - shift, pixels_.end(), background_);
    mark_rows(0, height_);
}

void CStatDisplay::line_feed() {
    state_.cursorColumn = 0;
    if (state_.cursorRow + 1 < state_.rows) {
        ++state_.cursorRow;
    } else {
        scroll_up(font_.height());
        state_.cursorRow = std::max(state_.rows - 1, 0);
    }
}

void CStatDisplay::clear_screen() {
    std::fill(pixels_.begin(), pixels_.end(), background_);
    mark_rows(0, height_);
    state_.cursorColumn = 0;
    state_.cursorRow = 0;
}

void CStatDisplay::putc(int code) {
    std::lock_guard<std::recursive_mutex> draw(draw_lock_);
    if (escape_pending_) {
        escape_pending_ = false;
        if (code == 'r') {
            state_.reverse = !state_.reverse;
            return;
        }
    }
    switch (code) {
    case 1: state_.reverse = false; break;
    case 2: state_.reverse = true; break;
    case 7: sound(5, 127, TONE_1500HZ); break;
    case 8: backspace(); break;
    case 9: escape_pending_ = true; break;
    case 10: line_feed(); break;
    case 12: clear_screen(); break;
    case 13: state_.cursorColumn = 0; break;
    default: draw_char(code); break;
    }
}

int CStatDisplay::print_utf8(const char* format, ...) {
    std::lock_guard<std::recursive_mutex> draw(draw_lock_);
    char text[kPrintBufferSize];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0) return 0;
    std::size_t length = std::min(static_cast<std::size_t>(n), sizeof text - 1);
    const auto* s = reinterpret_cast<const unsigned char*>(text);

    int column = state_.cursorColumn, row = state_.cursorRow;
    std::size_t i = 0;
    while (i < length) {
        const unsigned char b = s[i];
        if (b == '\t') {
            if (i + 1 < length && s[i + 1] == 'r') {
                state_.reverse = !state_.reverse;
                i += 2;
            } else {
                escape_pending_ = true; // as display_putc(9) would
                ++i;
            }
            continue;
        }
        if (b == '\n' || b == '\f' || b == '\r') {
            if (b == '\n') {
                ++row;
                column = 0;
            } else if (b == '\f') {
                clear_screen();
                row = column = 0;
            }
            ++i;
            continue;
        }
        int code_point = 0;
        i += utf8_decode_display(s + i, length - i, code_point);
        state_.cursorColumn = column;
        state_.cursorRow = row;
        draw_glyph_at_cursor(glyph_for_code_point(code_point, state_.wideFont));
        ++column;
        refresh();
    }
    state_.cursorColumn = column;
    state_.cursorRow = row;
    return n;
}

// ------------------------------------------------------------------ drawing

void CStatDisplay::line(int x0, int y0, int x1, int y1, int mode) {
    std::lock_guard<std::recursive_mutex> draw(draw_lock_);
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x1 < x0 ? -1 : 1, sy = y1 < y0 ? -1 : 1;
    // Step along the longer axis; the error term starts at half its length.
    const bool along_x = dx >= dy;
    const int longer = along_x ? dx : dy, shorter = along_x ? dy : dx;
    int x = x0, y = y0, error = longer / 2;
    set_pixel(x, y, mode);
    for (int step = 0; step < longer; ++step) {
        error += shorter;
        if (along_x) x += sx; else y += sy;
        if (error >= longer) {
            if (along_x) y += sy; else x += sx;
            error -= longer;
        }
        set_pixel(x, y, mode);
    }
    refresh();
}

void CStatDisplay::image(int x, int y, ImageView view) {
    std::lock_guard<std::recursive_mutex> draw(draw_lock_);
    if (view.data && view.size >= 2) {
        const int w = view.data[0], h = view.data[1];
        const std::size_t stride = static_cast<std::size_t>((w + 7) / 8);
        for (int row = 0; row < h; ++row) {
            for (int col = 0; col < w; ++col) {
                const std::size_t index = 2 + static_cast<std::size_t>(row) * stride + static_cast<std::size_t>(col / 8);
                if (index >= view.size) break; // a short image ends where its bytes end
                const bool dark = (view.data[index] >> (7 - col % 8)) & 1;
                set_pixel(x + col, y + row, dark ? PIXEL_DARK : PIXEL_BACKGROUND);
            }
        }
    }
    refresh();
}

// ------------------------------------------------------------------ screen files

int CStatDisplay::save(const char* name) {
    std::lock_guard<std::recursive_mutex> draw(draw_lock_);
    const int bands = height_ / 8;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(bands * width_), 0);
    for (int band = 0; band < bands; ++band)
        for (int x = 0; x < width_; ++x) {
            std::uint8_t byte = 0;
            for (int k = 0; k < 8; ++k)
                if (at(x, band * 8 + k) == kPixelDark) byte |= static_cast<std::uint8_t>(1u << k);
            bytes[static_cast<std::size_t>(band * width_ + x)] = byte;
        }
    const int handle = file_open(name, FILE_WRITE | FILE_CREATE | FILE_TRUNCATE);
    if (handle < 0) return -1;
    const long long written = file_write(handle, bytes.data(), static_cast<long long>(bytes.size()));
    const int closed = file_close(handle);
    return written == static_cast<long long>(bytes.size()) && closed == 0 ? 0 : -1;
}

int CStatDisplay::restore(const char* name) {
    std::lock_guard<std::recursive_mutex> draw(draw_lock_);
    const int handle = file_open(name, FILE_READ);
    if (handle < 0) return -1;
    const int bands = height_ / 8;
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(bands * width_), 0);
    long long got = file_read(handle, bytes.data(), static_cast<long long>(bytes.size()));
    file_close(handle);
    if (got < 0) return -1;
    got = std::min(got, static_cast<long long>(bytes.size()));
    // A short file restores the bands it holds; the rest stays as it is.
    for (long long i = 0; i < got; ++i) {
        const int band = static_cast<int>(i) / width_, x = static_cast<int>(i) % width_;
        const unsigned byte = bytes[static_cast<std::size_t>(i)];
        for (int k = 0; k < 8; ++k) at(x, band * 8 + k) = (byte >> k) & 1u ? kPixelDark : background_;
    }
    if (got > 0) mark_rows(0, static_cast<int>((got + width_ - 1) / width_) * 8);
    refresh();
    return 0;
}

// ------------------------------------------------------------------ frames

void CStatDisplay::refresh() {
    std::lock_guard<std::recursive_mutex> draw(draw_lock_);
    {
        std::lock_guard<std::mutex> lock(frame_lock_);
        // Only the rows drawn since the last refresh differ from the frame.
        if (dirty_top_ < dirty_bottom_) {
            const auto first = static_cast<std::ptrdiff_t>(dirty_top_) * width_;
            const auto end = static_cast<std::ptrdiff_t>(dirty_bottom_) * width_;
            std::copy(pixels_.begin() + first, pixels_.begin() + end, frame_.begin() + first);
        }
        dirty_top_ = height_;
        dirty_bottom_ = 0;
        frame_state_ = state_;
        ++frame_count_;
    }
    if (on_refresh_) on_refresh_();
}

std::vector<Pixel> CStatDisplay::frame() const {
    std::lock_guard<std::mutex> lock(frame_lock_);
    return frame_;
}

void CStatDisplay::frame_with_state(std::vector<Pixel>& pixels, DisplayState& state) const {
    std::lock_guard<std::mutex> lock(frame_lock_);
    pixels = frame_;
    state = frame_state_;
}

std::uint64_t CStatDisplay::frame_count() const {
    std::lock_guard<std::mutex> lock(frame_lock_);
    return frame_count_;
}

} // namespace formwick
