#include "runtime/text/font.h"

#include "runtime/runtime_state.h"
#include "runtime/services/terminal.h"

namespace formwick {

void rt_use_builtin_font(int font) {
    display_state().wideFont = false;
    rt_state.wideText = false;
    display_set_font(font);
    rt_state.displayFont = font;
}

void rt_select_font(int type) {
    const bool has_custom = rt_state.customFont != nullptr && rt_state.customFontSize > 0;
    if (type == kFontCustom && has_custom) {
        display_state().wideFont = false;
        display_set_custom_font(rt_state.customFont, rt_state.customFontSize);
        rt_state.wideText =
            rt_state.customFontSize >= 2 && rt_state.customFont[0] == 0xFE && rt_state.customFont[1] == 0xFE;
        rt_state.fontType = kFontCustom;
        rt_state.displayFont = -1;
        return;
    }
    if (type != kFontSmall) type = kFontLarge;
    rt_use_builtin_font(type == kFontSmall ? 2 : 3);
    rt_state.fontType = type;
}

} // namespace formwick
