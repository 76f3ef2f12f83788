// The 20 callback slots of the host tick (the busy animation lives in one).
//
// Callbacks run on the tick's thread in slot order. The lock is held while
// they run, so once remove() returns the callback is not running and will
// not run again: the runtime can restore the screen safely after busy_stop.
#pragma once

#include "runtime/services/terminal.h"

#include <array>
#include <atomic>
#include <mutex>

namespace formwick {

class TickSlots {
public:
    static constexpr int kSlots = 20;

    // Into the first free slot unless already installed: 0, or -1 when full.
    int install(TickCallback callback);
    // Removes every slot holding `callback`: 0.
    int remove(TickCallback callback);
    void clear();
    void call_all();
    // Whether no slot holds a callback; safe to ask without the slots' lock.
    bool empty() const { return used_.load() == 0; }

private:
    std::mutex mutex_;
    std::array<TickCallback, kSlots> slots_{};
    std::atomic<int> used_{0}; // slots holding a callback
};

} // namespace formwick
