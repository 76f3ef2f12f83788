// The LED on the host clock: the off timer, the blink phase, led_off.
#include "simulator/core/led/led_state.h"

#include <gtest/gtest.h>

namespace formwick::test {
namespace {

class HostLed : public ::testing::Test {
protected:
    // Moves the clock tick by tick, as the host does.
    void pass(int ms) {
        for (int t = 0; t < ms; t += 20) {
            clock.advance_to(clock.now() + 20);
            led.tick();
        }
    }
    HostClock clock{ClockMode::virtual_time};
    LedState led{clock};
};

TEST_F(HostLed, AGoodReadShowsGreenFor200Ms) {
    int changes = 0;
    led.set_listener([&] { ++changes; });
    led.show(LED_GREEN, false, 200);
    EXPECT_TRUE(led.view().lit());
    EXPECT_EQ(led.view().colour, LED_GREEN);
    pass(180);
    EXPECT_TRUE(led.view().on);
    pass(20);
    EXPECT_FALSE(led.view().on);
    EXPECT_EQ(changes, 2);
}

TEST_F(HostLed, BlinkFlipsThePhaseEvery400Ms) {
    led.show(LED_RED, true, 100000);
    std::string phases;
    for (int i = 0; i < 4; ++i) {
        phases += led.view().lit() ? '1' : '0';
        pass(400);
    }
    EXPECT_EQ(phases, "1010");
    EXPECT_TRUE(led.view().on);
}

TEST_F(HostLed, ASteadyShowKeepsAnEarlierBlink) {
    led.show(LED_RED, true, 100000);
    led.show(LED_ORANGE, false, 100000);
    EXPECT_TRUE(led.view().blink);
    pass(400);
    EXPECT_FALSE(led.view().lit());
    EXPECT_EQ(led.view().colour, LED_ORANGE);
}

TEST_F(HostLed, OffClearsEverythingAndALeftoverBlinkStaysDark) {
    led.show(LED_ORANGE, true, 100000);
    led.off();
    const LedView v = led.view();
    EXPECT_FALSE(v.on || v.blink || v.phase);
    EXPECT_EQ(v.colour, LED_WHITE);
    pass(800);
    EXPECT_FALSE(led.view().lit());
}

TEST_F(HostLed, AnUnknownColourShowsWhite) {
    led.show(7, false, 200);
    EXPECT_EQ(led.view().colour, LED_WHITE);
    EXPECT_EQ(led_colour_rgb(LED_ORANGE).green, 165);
}

} // namespace
} // namespace formwick::test
