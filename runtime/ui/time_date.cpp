// Time & date: the time "hh:mm:ss" and the date "yyyy/mm/dd" edited digit
// by digit in place. The cursor runs over both texts as one ring, skipping
// the separators; each digit is limited by the digit at the same place of
// the templates "29:59:59" and "2999/19/39".
#include "runtime/runtime_state.h"
#include "runtime/services/terminal.h"
#include "runtime/text/center.h"
#include "runtime/text/font.h"
#include "runtime/text/rt_printf.h"
#include "runtime/ui/bars.h"
#include "runtime/ui/message.h"
#include "runtime/ui/texts.h"
#include "runtime/ui/utility_screens.h"

#include <cstdio>
#include <cstring>

namespace formwick {

namespace {

constexpr char kLargest[] = "29:59:5929" "99/19/39"; // time then date, as one ring
constexpr int kTimeChars = 8;
constexpr int kRingChars = 18;
constexpr int kTimeRow = 2, kDateRow = 4;
constexpr int kTextYOffset = 8;

struct Entry {
    char ring[kRingChars + 1]; // "hh:mm:ssyyyy/mm/dd"
    int at = 0;                // cursor position in the ring
};

int two_digits(int v) { return v >= 0 && v <= 99 ? v : 0; } // a failed clock reads 255

void draw_screen() {
    rt_select_font(rt_state.menuFontType);
    term_clear();
    rt_goto(0, 0);
    rt_center(rt_text(TEXT_TIME_DATE), true);
    rt_picture_bar();
    rt_use_builtin_font(3);
    display_state().textYOffset = kTextYOffset;
    display_state().cursorMode = 1;
}

void draw_entry(const Entry& e) {
    char time_text[kTimeChars + 1], date_text[kRingChars - kTimeChars + 1];
    std::memcpy(time_text, e.ring, kTimeChars);
    time_text[kTimeChars] = '\0';
    std::memcpy(date_text, e.ring + kTimeChars, kRingChars - kTimeChars);
    date_text[kRingChars - kTimeChars] = '\0';
    rt_goto(0, kTimeRow);
    rt_center(time_text, false);
    rt_goto(0, kDateRow);
    rt_center(date_text, false);
    // Centred in 16 columns: the time from column 4, the date from column 3.
    if (e.at < kTimeChars) rt_goto(4 + e.at, kTimeRow);
    else rt_goto(3 + e.at - kTimeChars, kDateRow);
    display_refresh();
}

bool is_separator(char c) { return c == ':' || c == '/'; }

void move(Entry& e, int direction) {
    do e.at = (e.at + direction + kRingChars) % kRingChars;
    while (is_separator(e.ring[e.at]));
}

int number(const char* s, int digits) {
    int v = 0;
    for (int i = 0; i < digits; ++i) v = v * 10 + (s[i] - '0');
    return v;
}

// 1: leave (used, or left invalid); 0: the time is not to be used;
// -1: editing goes on.
int check(const Entry& e) {
    DisplayState& d = display_state();
    d.cursorMode = 0;
    d.textYOffset = 0;
    const int hour = number(e.ring, 2), minute = number(e.ring + 3, 2), second = number(e.ring + 6, 2);
    DateRecord date;
    date.year = number(e.ring + 8, 4);
    date.month = static_cast<std::uint8_t>(number(e.ring + 13, 2));
    date.day = static_cast<std::uint8_t>(number(e.ring + 16, 2));
    const bool date_ok = clock_set_date(date) == 0;
    if (!date_ok) {
        term_printf("\fError date\nyear=%d\nmonth=%d\nday=%d", date.year, static_cast<int>(date.month),
                    static_cast<int>(date.day));
        key_get();
    }
    if (!date_ok || hour > 23 || minute > 59 || second > 59)
        return rt_message(rt_text(MSG_SET_TIME_CONTINUE), MSG_ERROR | MSG_YES_NO) ? 1 : -1;
    // The PC's clock is never changed, whatever the answer.
    return rt_message(rt_text(MSG_USE_SET_TIME), 0x40 | MSG_YES_NO);
}

} // namespace

int rt_time_and_date() {
    TimeRecord time;
    DateRecord date;
    clock_get_time(time);
    clock_get_date(date);
    Entry e;
    int year = date.year >= 0 && date.year <= 9999 ? date.year : 0;
    std::snprintf(e.ring, sizeof e.ring, "%02d:%02d:%02d%04d/%02d/%02d", two_digits(time.hour),
                  two_digits(time.minute), two_digits(time.second), year, two_digits(date.month),
                  two_digits(date.day));
    draw_screen();
    for (;;) {
        draw_entry(e);
        const int key = key_get();
        if (key == KEY_UP || key == KEY_UP_ALPHA) {
            move(e, -1);
        } else if (key == KEY_DOWN || key == KEY_DOWN_ALPHA) {
            move(e, +1);
        } else if (key >= '0' && key <= '9') {
            if (key <= kLargest[e.at]) e.ring[e.at] = static_cast<char>(key);
            else rt_error_beep();
        } else if (key == KEY_TRIGGER) {
            char& c = e.ring[e.at];
            c = c >= kLargest[e.at] ? '0' : static_cast<char>(c + 1);
        } else if (key == KEY_CLEAR) {
            const int result = check(e);
            if (result >= 0) return result;
            draw_screen();
        } else {
            rt_error_beep();
        }
    }
}

} // namespace formwick
