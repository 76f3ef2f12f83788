#include "simulator/core/host/tick_slots.h"

namespace formwick {

int TickSlots::install(TickCallback callback) {
    std::lock_guard lock(mutex_);
    for (TickCallback slot : slots_)
        if (slot == callback) return 0;
    for (TickCallback& slot : slots_) {
        if (!slot) {
            slot = callback;
            ++used_;
            return 0;
        }
    }
    return -1;
}

int TickSlots::remove(TickCallback callback) {
    std::lock_guard lock(mutex_);
    for (TickCallback& slot : slots_) {
        if (slot && slot == callback) {
            slot = nullptr;
            --used_;
        }
    }
    return 0;
}

void TickSlots::clear() {
    std::lock_guard lock(mutex_);
    slots_.fill(nullptr);
    used_ = 0;
}

void TickSlots::call_all() {
    std::lock_guard lock(mutex_);
    for (TickCallback slot : slots_)
        if (slot) slot();
}

} // namespace formwick
