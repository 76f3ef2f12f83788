#include "runtime/app/menu_run.h"

#include "runtime/app/app_state.h"
#include "runtime/app/form_run.h"
#include "runtime/app/store_record.h"
#include "runtime/app/values.h"
#include "runtime/services/terminal.h"
#include "runtime/text/font.h"
#include "runtime/ui/list.h"

#include <array>
#include <string>

namespace formwick {

int run_menu(int m) {
    const CParamMenu menu = app_parameters().menus[m];
    std::array<std::string, kMenuItemCount> names;
    std::array<RtMenuItem, kMenuItemCount> items;
    int count = 0;
    while (count < kMenuItemCount && menu.items[count].name[0] != '\0') {
        names[count] = std::string(text_bytes(menu.items[count].name));
        items[count].text = names[count].c_str();
        ++count;
    }
    if (count == 0) return 0;

    rt_select_font(menu.font);
    term_clear();
    std::string header(text_bytes(menu.header));
    int chosen = rt_list(header.c_str(), items.data(), count);
    if (chosen < 0) return menu.clrTarget;

    if (menu.storeHeader) value_set(menu.headerVariable, header);
    if (menu.storeItemName) value_set(menu.itemNameVariable, names[chosen]);
    if (menu.storeItemNumber) value_set(menu.itemNumberVariable, std::to_string(chosen + 1));
    if (menu.saveOnNext) store_record(menu.saveDataFile);
    return menu.items[chosen].next;
}

void run_flow(int state) {
    while (state != 0) {
        if (state >= 1 && state <= 8) state = run_form(state - 1);
        else if (state >= 9 && state <= 16) state = run_menu(state - 9);
        else state = 0;
    }
    term_clear();
}

} // namespace formwick
