#include "runtime/text/rt_printf.h"

#include "runtime/runtime_state.h"
#include "runtime/services/terminal.h"
#include "runtime/text/char_map.h"
#include "runtime/text/format.h"

#include <cstdarg>
#include <cstring>

namespace formwick {

namespace {

// One call formats at most a screen's worth of text; the rest is dropped.
constexpr std::size_t kOutputBuffer = 2048;
char output_buffer[kOutputBuffer];

int glyph_width() {
    int w = display_state().glyphWidth;
    return w > 0 ? w : 1;
}

int glyph_height() {
    int h = display_state().glyphHeight;
    return h > 0 ? h : 1;
}

} // namespace

int rt_columns() { return kScreenWidth / glyph_width(); }

int rt_rows() { return kScreenHeight / glyph_height(); }

void rt_goto(int column, int row) {
    DisplayState& d = display_state();
    d.cursorColumn = column;
    d.cursorRow = row;
}

int rt_text_length(const char* text) {
    if (text == nullptr) return 0;
    const auto* u = reinterpret_cast<const unsigned char*>(text);
    const std::size_t length = std::strlen(text);
    int count = 0;
    for (std::size_t at = 0; at < length; ++count) {
        int code_point = 0;
        at += utf8_decode_display(u + at, length - at, code_point);
    }
    return count;
}

void rt_draw_text(const char* text, std::size_t length) {
    const auto* u = reinterpret_cast<const unsigned char*>(text);
    DisplayState& d = display_state();
    int column = d.cursorColumn;
    int row = d.cursorRow;
    std::size_t at = 0;
    while (at < length) {
        unsigned char c = u[at];
        if (c == '\t') {
            if (at + 1 < length && u[at + 1] == 'r') {
                display_state().reverse = !display_state().reverse;
                at += 2;
            } else {
                display_putc('\t');
                ++at;
            }
            continue;
        }
        if (c == '\n') {
            ++row;
            column = 0;
            ++at;
            continue;
        }
        if (c == '\f') {
            display_putc(12);
            column = row = 0;
            ++at;
            continue;
        }
        if (c == '\r') {
            ++at;
            continue;
        }
        int code_point = 0;
        at += utf8_decode_display(u + at, length - at, code_point);
        if (column >= 0 && column < rt_columns() && row >= 0 && row < rt_rows()) {
            rt_goto(column, row);
            display_glyph(glyph_for_code_point(code_point, rt_state.wideText));
        }
        ++column;
    }
    rt_goto(column, row);
    display_refresh();
}

int rt_printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::size_t length = rt_vformat(output_buffer, sizeof output_buffer, format, args);
    va_end(args);
    rt_draw_text(output_buffer, length);
    return static_cast<int>(length);
}

} // namespace formwick
