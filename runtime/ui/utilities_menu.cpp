#include "runtime/runtime_state.h"
#include "runtime/services/terminal.h"
#include "runtime/text/center.h"
#include "runtime/text/font.h"
#include "runtime/text/rt_printf.h"
#include "runtime/ui/input_class.h"
#include "runtime/ui/input_editor.h"
#include "runtime/ui/list.h"
#include "runtime/ui/message.h"
#include "runtime/ui/startup_screens.h"
#include "runtime/ui/texts.h"
#include "runtime/ui/utility_screens.h"

#include <cstring>
#include <string>

namespace formwick {

namespace {

constexpr int kPasswordChars = 10;

void version_item() {
    show_version_screen();
    key_get();
}
void time_date_item() { rt_time_and_date(); }
void power_memory_item() { rt_power_and_memory(); }
void browse_item() { rt_browse(); }
void format_item() { rt_format_ramdisk(); }

} // namespace

bool rt_ask_password(const char* password) {
    rt_select_font(rt_state.boxFontType);
    rt_center_title(rt_text(TEXT_ENTER_PASSWORD));
    char entry[kFieldMaxChars + 1] = {};
    const int result = rt_edit_field(rt_columns() - 2, 2, entry, 0, kPasswordChars, SOURCE_KEYPAD,
                                     INPUT_PRINTABLE | EDIT_MASKED, "", 2);
    return result == EDIT_ACCEPTED_KEY && std::strcmp(entry, password ? password : "") == 0;
}

void utilities_menu() {
    const CParamStartup* s = rt_state.startup;
    if (s != nullptr && s->lockUtilities) {
        const std::string password(text_bytes(s->password));
        if (!rt_ask_password(password.c_str())) {
            rt_message(rt_text(MSG_WRONG_PASSWORD), MSG_WARNING);
            term_clear();
            return;
        }
    }
    const RtMenuItem items[kActionMenuItems] = {
        {rt_text(TEXT_VERSION), version_item},   {rt_text(TEXT_TIME_DATE), time_date_item},
        {rt_text(TEXT_POWER_MEMORY), power_memory_item}, {rt_text(TEXT_BROWSE), browse_item},
        {rt_text(TEXT_FORMAT), format_item},
    };
    rt_menu(rt_text(TEXT_UTILITIES), items, rt_state.menuFontType);
    term_clear();
}

int rt_format_ramdisk() {
    // The PC's RAM disk folder is left as it is whatever the answer.
    return rt_message(rt_text(MSG_FORMAT_RAMDISK), MSG_WARNING | MSG_YES_NO);
}

} // namespace formwick
