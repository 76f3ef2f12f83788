#include "runtime/ui/main_menu.h"

#include "runtime/services/terminal.h"
#include "runtime/text/center.h"
#include "runtime/text/font.h"
#include "runtime/text/rt_printf.h"
#include "runtime/ui/bars.h"
#include "runtime/ui/list.h"
#include "runtime/ui/message.h"

namespace formwick {

namespace {

// Top pixel row of the position mark for items 1, 2 and 3.
constexpr int kMarkTop[kMainMenuItems] = {12, 62, 106};

// Row 0 in font 2: the title in 6 bytes, the date and the time.
void draw_clock_line(const char* title, int date_format) {
    if (date_format != 0 && date_format != 1) return;
    DateRecord date;
    TimeRecord time;
    clock_get_date(date);
    clock_get_time(time);
    const int yy = date.year % 100;
    const int a = date_format == 0 ? yy : date.day;
    const int c = date_format == 0 ? date.day : yy;
    rt_use_builtin_font(2);
    rt_goto(0, 0);
    rt_printf("%-6.6s %02d/%02d/%02d %2d:%02d", title ? title : "", a, static_cast<int>(date.month), c,
              static_cast<int>(time.hour), static_cast<int>(time.minute));
}

void draw_mark(int previous, int current) {
    display_line(124, 12, 124, 113, 1);
    if (previous >= 0 && previous != current) {
        const int p = kMarkTop[previous];
        display_line(125, p, 125, p + 6, 0);
        display_line(126, p + 1, 126, p + 5, 0);
    }
    const int p = kMarkTop[current];
    display_line(125, p, 125, p + 6, 1);
    display_line(126, p + 1, 126, p + 5, 1);
}

void draw_item(const RtMainMenuItem& item, int number) {
    display_image(32, 50, item.picture);
    rt_picture_bar();
    DisplayState& d = display_state();
    // The number right-aligned at pixel row 12, the text centred at g + 15.
    d.textYOffset = 12;
    rt_goto(0, 0);
    rt_printf("%*d", rt_columns() - 1, number);
    d.textYOffset = 15;
    rt_goto(0, 1);
    rt_center(item.text, false);
    d.textYOffset = 0;
}

} // namespace

int rt_main_menu(int font_type, const char* title, int& index, const RtMainMenuItem* items, int date_format) {
    if (index < 0 || index >= kMainMenuItems) index = 0;
    display_state().cursorMode = 0;
    term_clear();
    int mark = -1;
    bool full = true;
    for (;;) {
        draw_clock_line(title, date_format);
        rt_select_font(font_type);
        if (full) {
            draw_item(items[index], index + 1);
            draw_mark(mark, index);
            mark = index;
        }
        const int key = key_get_timeout();
        full = key != KEY_NONE;
        if (!full) continue; // the five-second tick: only the clock changes
        const ListKeyResult r = rt_list_key(key, kMainMenuItems, index);
        if (r == LIST_LEFT) {
            term_clear();
            return -1;
        }
        if (r != LIST_CHOSEN) continue;
        if (items[index].action == nullptr) {
            term_clear();
            return -1;
        }
        items[index].action(items);
        mark = -1; // the action drew over the menu
    }
}

} // namespace formwick
