// Running an application menu and the flow over forms and menus.
#pragma once

namespace formwick {

// Runs menu `menu` (0..7) and returns the next state.
int run_menu(int menu);

// Runs states from `state` until state 0 (the runtime main menu): 1..8
// are Form 1..8, 9..16 Menu 1..8. A state above 16 can only come from a
// damaged definition and goes back to the main menu.
void run_flow(int state);

} // namespace formwick
