#include "runtime/text/center.h"

#include "runtime/services/terminal.h"
#include "runtime/text/rt_printf.h"

namespace formwick {

void rt_center(const char* text, bool reverse) {
    if (text == nullptr) text = "";
    const int c = rt_columns();
    const int n = rt_text_length(text);
    if (n < c) {
        int pad = c - n < 2 ? c - n : (c - n) / 2;
        if (c % 2 == 1 && n % 2 == 0) ++pad;
        rt_printf(reverse ? "\tr%-*.*S%S%-*.*S \tr" : "%-*.*S%S%-*.*S ", pad, pad, "", text, pad, pad, "");
    } else {
        rt_printf(reverse ? "\tr%-*.*S \tr" : "%-*.*S ", c, c, text);
    }
}

void rt_center_title(const char* text) {
    if (text == nullptr) text = "";
    term_clear();
    rt_goto(0, 0);
    const int c = rt_columns();
    const int n = rt_text_length(text);
    const int pad = c - n < 2 ? 0 : (c - n) / 2;
    rt_printf("\tr%-*.*s%s%-*.*s \tr", pad, pad, "", text, pad, pad, "");
}

} // namespace formwick
