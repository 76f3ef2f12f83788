#include "runtime/ui/message.h"

#include "runtime/runtime_state.h"
#include "runtime/services/terminal.h"
#include "runtime/text/center.h"
#include "runtime/text/font.h"
#include "runtime/text/format.h"
#include "runtime/text/rt_printf.h"
#include "runtime/ui/bars.h"
#include "runtime/ui/texts.h"

#include <climits>
#include <cstring>
#include <string>

namespace formwick {

namespace {

constexpr const char* kBoxScreenFile = "~~DISP~.TMP";
// Long enough that the LED stays on for as long as any box is shown.
constexpr int kLedWhileShown = INT_MAX;

void sound_and_led(int kind) {
    if (kind == MSG_WARNING) {
        sound(5, 32, TONE_1000HZ, TONE_SILENCE, TONE_1000HZ, TONE_SILENCE, TONE_1000HZ, 0);
        led_show(LED_ORANGE, true, kLedWhileShown);
    } else if (kind == MSG_ERROR) {
        sound(5, 127, TONE_400HZ, TONE_SILENCE, TONE_400HZ, TONE_SILENCE, TONE_400HZ, 0);
        led_show(LED_RED, true, kLedWhileShown);
    } else {
        led_show(LED_GREEN, true, kLedWhileShown);
    }
}

const char* title_for(int kind) {
    if (kind == MSG_WARNING) return rt_text(TEXT_WARNING);
    if (kind == MSG_ERROR) return rt_text(TEXT_ERROR);
    return rt_text(TEXT_INFORMATION);
}

// The word wrap of message texts: each word followed by a space while it
// fits; a word that does not fit starts the next row, and a word longer
// than a row is cut at the row's end and continued below. `place` gets each
// piece with its row (from 0) and column; it stops after row `max_rows` - 1.
// Returns the rows the whole text needs.
template <class Place> int wrap_words(const std::string& text, int columns, int max_rows, Place place) {
    if (columns < 1) return 0;
    int row = 0, column = 0;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text[at] == ' ') {
            ++at;
            continue;
        }
        std::size_t end = text.find(' ', at);
        if (end == std::string::npos) end = text.size();
        const std::string word = text.substr(at, end - at);
        const int n = rt_text_length(word.c_str());
        if (n <= columns - column) {
            if (row < max_rows) place(row, column, word, n, false);
            column += n + 1;
            at = end;
        } else if (column > 0) {
            ++row;
            column = 0;
        } else {
            if (row < max_rows) place(row, 0, word, columns, true);
            at += utf8_prefix_bytes(word.c_str(), word.size(), static_cast<std::size_t>(columns));
            ++row;
        }
    }
    return column > 0 ? row + 1 : row;
}

// Writes the words of `text` from row 2 on; at most rows - 4 rows are used,
// the rest is not shown.
void write_wrapped(const char* text) {
    const int first_row = 2;
    wrap_words(text ? text : "", rt_columns(), rt_rows() - 4, [&](int row, int column, const std::string& word, int n, bool cut) {
        rt_goto(column, first_row + row);
        rt_printf(cut ? "%-*.*S" : "%-*.*S ", n, n, word.c_str());
    });
}

RtShownMessage shown_message;

// Marks the box as showing for as long as it waits for its answer, also
// when a stop unwinds the wait.
struct ShowingBox {
    ShowingBox(const char* text, int style) { shown_message = RtShownMessage{text ? text : "", style}; }
    ~ShowingBox() { shown_message = RtShownMessage{}; }
    ShowingBox(const ShowingBox&) = delete;
    ShowingBox& operator=(const ShowingBox&) = delete;
};

} // namespace

int rt_wrapped_rows(const char* text, int columns) {
    return wrap_words(text ? text : "", columns, 0, [](int, int, const std::string&, int, bool) {});
}
const RtShownMessage& rt_shown_message() { return shown_message; }

void rt_error_beep() { sound(5, 127, TONE_400HZ, 0); }

int rt_message(const char* text, int style) {
    DisplayState& d = display_state();
    const int font_type = rt_state.fontType;
    const int font = rt_state.displayFont;
    const int y_offset = d.textYOffset;
    const bool reverse = d.reverse;
    const bool saved = display_save(kBoxScreenFile) == 0;
    d.cursorMode = 0;
    d.textYOffset = 0;
    d.reverse = false;

    rt_select_font(rt_state.boxFontType);
    const int kind = style & 0xF0;
    const bool yes_no = (style & 0x0F) == MSG_YES_NO;
    sound_and_led(kind);
    rt_center_title(title_for(kind));
    if (yes_no)
        rt_bottom_bar(2, rt_text(TEXT_YES), rt_text(TEXT_NO));
    else
        rt_bottom_bar(1, rt_text(TEXT_PRESS_ANY_KEY), nullptr);

    rt_select_font(rt_state.messageFontType);
    write_wrapped(text);

    int answer = 0;
    {
        const ShowingBox showing(text, style);
        if (yes_no) {
            int key = key_wait_for(4, KEY_UP, KEY_UP_ALPHA, KEY_DOWN, KEY_DOWN_ALPHA);
            answer = key == KEY_UP || key == KEY_UP_ALPHA ? 1 : 0;
        } else {
            key_get();
        }
    }

    rt_select_font(font_type);
    if (font >= 0 && font != rt_state.displayFont) rt_use_builtin_font(font);
    led_off();
    d.textYOffset = y_offset;
    d.reverse = reverse;
    // Without a saved screen the box stays until the caller draws again.
    if (saved && display_restore(kBoxScreenFile) == 0) file_remove(kBoxScreenFile);
    return answer;
}

} // namespace formwick
