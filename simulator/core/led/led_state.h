// The terminal's one LED: what the runtime asked for and what is lit now.
//
// led_show sets the colour and switches on; blinking flips the visible phase
// every 400 ms (timer 2); timer 1 switches the LED off after the time given.
// Both timers run on the host's clock and fire from its tick, so headless
// runs blink on virtual time. The window only draws view().
//
// The runtime thread calls show/off, the tick calls tick, the window reads
// view: one small lock guards the state.
#pragma once

#include "runtime/services/terminal.h"
#include "simulator/core/host/host_clock.h"

#include <functional>
#include <mutex>

namespace formwick {

struct LedView {
    bool on = false;
    int colour = LED_WHITE; // 0 white, 1 red, 2 green, 3 orange
    bool blink = false;
    bool phase = false; // visible phase of a blinking LED
    // What the window shows: on, and steady or in the visible phase.
    bool lit() const { return on && (!blink || phase); }
};

struct LedRgb {
    int red, green, blue;
};
LedRgb led_colour_rgb(int colour);

class LedState final : public LedService {
public:
    static constexpr int kBlinkMs = 400;

    explicit LedState(const HostClock& clock);

    void show(int colour, bool blink, int time_ms) override;
    void off() override;

    // Fires the timers that are due; called on every host tick.
    void tick();
    // When a timer next fires, or HostClock::kNever.
    HostClock::Millis next_due() const;
    LedView view() const;
    // Called (outside the lock) after every change, e.g. to redraw.
    void set_listener(std::function<void()> listener);

private:
    void changed();

    const HostClock& clock_;
    mutable std::mutex mutex_;
    LedView view_;
    HostClock::Millis offDue_ = HostClock::kNever;   // timer 1
    HostClock::Millis blinkDue_ = HostClock::kNever; // timer 2
    std::function<void()> listener_;
};

} // namespace formwick
