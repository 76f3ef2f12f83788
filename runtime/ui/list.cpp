#include "runtime/ui/list.h"

#include "runtime/services/terminal.h"
#include "runtime/text/center.h"
#include "runtime/text/font.h"
#include "runtime/text/rt_printf.h"
#include "runtime/ui/bars.h"
#include "runtime/ui/message.h"

namespace formwick {

namespace {

// Lines 0.. of the list below the title: as many as fit above the picture
// bar. When all items fit the first is on top; otherwise the selected one
// is, but never so far down that the last page is not full.
void draw_items(const RtMenuItem* items, int count, int selected, bool titled) {
    const DisplayState& d = display_state();
    const int digits = count < 10 ? 1 : 2;
    const int text_width = kScreenWidth / d.glyphWidth - digits - 1;
    const int lines = 118 / d.glyphHeight - (titled ? 1 : 0);
    int first = 0;
    if (count > lines) first = selected < count - lines ? selected : count - lines;
    for (int line = 0; line < lines; ++line) {
        const int item = first + line;
        rt_goto(0, line + (titled ? 1 : 0));
        if (item >= count) {
            rt_printf("%*s", rt_columns(), "");
        } else {
            const char* text = items[item].text ? items[item].text : "";
            rt_printf(item == selected ? "\tr%*d %-*.*S \tr" : "%*d %-*.*S ", digits, item + 1, text_width,
                      text_width, text);
        }
    }
}

bool has_text(const char* s) { return s != nullptr && s[0] != '\0'; }

} // namespace

ListKeyResult rt_list_key(int key, int count, int& selected) {
    if (key >= '1' && key <= '9') {
        if (key - '0' > count) {
            rt_error_beep();
            return LIST_REDRAW;
        }
        selected = key - '1';
        return LIST_CHOSEN;
    }
    switch (key) {
    case KEY_TRIGGER:
    case KEY_ENTER:
        return LIST_CHOSEN;
    case KEY_UP:
    case KEY_UP_ALPHA:
        if (selected > 0) --selected;
        else rt_error_beep();
        return LIST_REDRAW;
    case KEY_DOWN:
    case KEY_DOWN_ALPHA:
        if (selected < count - 1) ++selected;
        else rt_error_beep();
        return LIST_REDRAW;
    case KEY_CLEAR:
        return LIST_LEFT;
    default:
        rt_error_beep();
        return LIST_REDRAW;
    }
}

int rt_list(const char* title, const RtMenuItem* items, int count) {
    display_state().cursorMode = 0;
    term_clear();
    int selected = 0;
    for (;;) {
        if (has_text(title)) {
            rt_goto(0, 0);
            // The title is text, never a format: a "%" in a translation
            // must not read arguments that are not there.
            rt_printf("%S", title);
        }
        rt_picture_bar();
        draw_items(items, count, selected, has_text(title));
        ListKeyResult r = rt_list_key(key_get(), count, selected);
        if (r == LIST_CHOSEN && count > 0) {
            term_clear();
            return selected;
        }
        if (r == LIST_LEFT) {
            term_clear();
            return -1;
        }
    }
}

int rt_menu(const char* title, const RtMenuItem* items, int font_type) {
    display_state().cursorMode = 0;
    term_clear();
    int selected = 0;
    for (;;) {
        rt_select_font(font_type);
        if (has_text(title)) {
            rt_goto(0, 0);
            rt_center(title, false);
        }
        rt_picture_bar();
        draw_items(items, kActionMenuItems, selected, has_text(title));
        ListKeyResult r = rt_list_key(key_get(), kActionMenuItems, selected);
        if (r == LIST_CHOSEN) {
            if (items[selected].action == nullptr) {
                term_clear();
                return -1;
            }
            items[selected].action();
            term_clear();
        } else if (r == LIST_LEFT) {
            term_clear();
            return -1;
        }
    }
}

} // namespace formwick
