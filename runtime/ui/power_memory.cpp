// Power & memory: the free RAM disk memory and the battery voltage, which
// is read again every five seconds until a key is pressed. The PC reports
// fixed values.
#include "runtime/pictures/pictures.h"
#include "runtime/runtime_state.h"
#include "runtime/services/terminal.h"
#include "runtime/text/center.h"
#include "runtime/text/font.h"
#include "runtime/text/rt_printf.h"
#include "runtime/ui/bars.h"
#include "runtime/ui/texts.h"
#include "runtime/ui/utility_screens.h"

namespace formwick {

namespace {
constexpr long kFreeMemoryMb = 2, kFreeMemoryHundredths = 38; // 2.38 MB
}

int rt_power_and_memory() {
    rt_select_font(rt_state.menuFontType);
    term_clear();
    rt_goto(0, 0);
    rt_center(rt_text(TEXT_POWER_MEMORY), true);
    rt_bottom_bar(1, rt_text(TEXT_PRESS_ANY_KEY), nullptr);
    display_image(10, 40, picture_battery());
    display_image(10, 70, picture_memory());
    rt_use_builtin_font(3);
    DisplayState& d = display_state();
    d.textYOffset = 9;
    rt_goto(5, 4);
    rt_printf("%ld.%02ld MB", kFreeMemoryMb, kFreeMemoryHundredths);
    int key = KEY_NONE;
    do {
        const int mv = rt_state.batteryMillivolts;
        d.textYOffset = 11;
        rt_goto(5, 2);
        rt_printf("%d.%02d V", mv / 1000, (mv % 1000) / 10);
        key = key_get_timeout();
    } while (key == KEY_NONE);
    d.textYOffset = 0;
    return key;
}

} // namespace formwick
