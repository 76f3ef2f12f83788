#include "runtime/text/busy.h"

#include "runtime/services/terminal.h"

namespace formwick {

// Placeholder until the animation frames exist: keeps the screen as it was.
void busy_begin() { display_save("WCURS.tmp"); }

void busy_end() {
    display_restore("WCURS.tmp");
    file_remove("WCURS.tmp");
}

} // namespace formwick
