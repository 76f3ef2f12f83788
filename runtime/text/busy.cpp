#include "runtime/text/busy.h"

#include "runtime/pictures/pictures.h"
#include "runtime/services/terminal.h"

namespace formwick {

namespace {

constexpr const char* kBusyScreenFile = "WCURS.tmp";
constexpr int kBusyTicksPerFrame = 25; // 25 x 20 ms: a new frame every 500 ms
constexpr int kBusyX = 56;
constexpr int kBusyY = 56;

// Written by busy_begin on the runtime thread before the tick is installed,
// then only by the tick.
int busy_frame = 0;
int busy_countdown = 0;

// On the timer thread, every 20 ms.
void busy_tick() {
    if (--busy_countdown > 0) return;
    busy_frame = busy_frame >= kHourglassFrames - 1 ? 0 : busy_frame + 1;
    display_image(kBusyX, kBusyY, picture_hourglass(busy_frame));
    busy_countdown = kBusyTicksPerFrame;
}

} // namespace

void busy_begin() {
    display_save(kBusyScreenFile);
    busy_frame = 10; // past the last frame, so the first one shown is frame 0
    busy_countdown = kBusyTicksPerFrame;
    busy_start(busy_tick);
}

void busy_end() {
    busy_stop(busy_tick);
    // Without the saved screen the last frame simply stays.
    if (display_restore(kBusyScreenFile) == 0) file_remove(kBusyScreenFile);
}

} // namespace formwick
