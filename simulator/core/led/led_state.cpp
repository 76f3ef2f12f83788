#include "simulator/core/led/led_state.h"

#include <algorithm>

namespace formwick {

LedRgb led_colour_rgb(int colour) {
    switch (colour) {
    case LED_RED: return {255, 0, 0};
    case LED_GREEN: return {0, 255, 0};
    case LED_ORANGE: return {255, 165, 24};
    default: return {255, 255, 255};
    }
}

LedState::LedState(const HostClock& clock) : clock_(clock) {}

void LedState::show(int colour, bool blink, int time_ms) {
    {
        std::lock_guard lock(mutex_);
        const HostClock::Millis now = clock_.now();
        // Only the four colours exist; anything else shows white.
        view_.colour = colour >= LED_WHITE && colour <= LED_ORANGE ? colour : LED_WHITE;
        view_.on = true;
        if (blink) {
            view_.blink = true;
            view_.phase = true;
            blinkDue_ = now + kBlinkMs;
        } else if (view_.blink && view_.phase) {
            blinkDue_ = now + kBlinkMs;
        }
        offDue_ = now + (time_ms > 0 ? time_ms : 0);
    }
    changed();
}

// The timers keep running: a blink timer left over only flips the phase of a
// dark LED, and timer 1 stops both when it fires.
void LedState::off() {
    {
        std::lock_guard lock(mutex_);
        view_ = LedView{};
    }
    changed();
}

void LedState::tick() {
    bool any = false;
    {
        std::lock_guard lock(mutex_);
        const HostClock::Millis now = clock_.now();
        if (now >= offDue_) {
            offDue_ = blinkDue_ = HostClock::kNever;
            view_.on = view_.blink = view_.phase = false;
            any = true;
        }
        if (now >= blinkDue_) {
            view_.phase = !view_.phase;
            blinkDue_ += kBlinkMs;
            if (blinkDue_ <= now) blinkDue_ = now + kBlinkMs;
            any = true;
        }
    }
    if (any) changed();
}

HostClock::Millis LedState::next_due() const {
    std::lock_guard lock(mutex_);
    return std::min(offDue_, blinkDue_);
}

LedView LedState::view() const {
    std::lock_guard lock(mutex_);
    return view_;
}

void LedState::set_listener(std::function<void()> listener) {
    std::lock_guard lock(mutex_);
    listener_ = std::move(listener);
}

void LedState::changed() {
    std::function<void()> listener;
    {
        std::lock_guard lock(mutex_);
        listener = listener_;
    }
    if (listener) listener();
}

} // namespace formwick
