// The busy animation shown while an index is rebuilt: an hourglass drawn
// at (56, 56) from the tick, over a screen saved to "WCURS.tmp".
#pragma once

namespace formwick {

void busy_begin();
void busy_end();

} // namespace formwick
