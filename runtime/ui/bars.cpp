#include "runtime/ui/bars.h"

#include "runtime/pictures/pictures.h"
#include "runtime/services/terminal.h"
#include "runtime/text/center.h"
#include "runtime/text/rt_printf.h"

namespace formwick {

void rt_bottom_bar(int count, const char* label1, const char* label2) {
    const int row = rt_rows() - 1;
    rt_goto(0, row);
    if (count < 2) {
        rt_center(label1, true);
        return;
    }
    const int c = rt_columns();
    const int h = c / 2;
    rt_printf("\tr%-*.*S%-*.*s%*.*S \tr", h, h, label1 ? label1 : "", c - 2 * h, c - 2 * h, "", h, h,
              label2 ? label2 : "");
    const DisplayState& d = display_state();
    const int top = row * d.glyphHeight + d.textYOffset;
    display_line(64, top, 64, top + d.glyphHeight - 1, 2);
}

void rt_picture_bar() { display_image(0, 117, picture_bar()); }

} // namespace formwick
