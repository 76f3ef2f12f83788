// What a run sets up and leaves behind.
#include "virtual_run.h"

#include <gtest/gtest.h>

#include <future>
#include <stdexcept>

namespace formwick::test {
namespace {

TEST(HostRun, StartsOnAClearedScreenWithoutCursorAndWithTheServicesInstalled) {
    RecordingDisplay display;
    display.state_.cursorMode = 1;
    CTerminal terminal(ClockMode::virtual_time);
    RunSetup setup;
    setup.display = &display;
    setup.keys = key_list(TerminalModel::R58);
    bool sawOwnServices = false;
    const RunEnd end = terminal.run(setup, [&] {
        sawOwnServices = &services().display->state() == &display.state_ && services().keys == &terminal &&
                         services().leds == &terminal.led() && services().sound == &terminal.beeper();
    });
    EXPECT_EQ(end, RunEnd::returned);
    EXPECT_TRUE(sawOwnServices);
    EXPECT_EQ(display.putcs, std::vector<int>{12});
    EXPECT_EQ(display.state_.cursorMode, 0);
    EXPECT_GE(display.refreshes, 1);
    EXPECT_NE(services().keys, &terminal) << "uninstalled after the run";
}

TEST(HostRun, AKeyPressedBetweenRunsIsDroppedByTheNextRun) {
    CTerminal terminal(ClockMode::virtual_time);
    terminal.key_press('7');
    EXPECT_EQ(terminal.queued_keys(), 1u);
    int polled = 0;
    terminal.run(RunSetup{}, [&] { polled = key_poll(); });
    EXPECT_EQ(polled, KEY_NONE);
}

TEST(HostRun, AFailingRoutinePassesThroughAndTheNextRunWorks) {
    CTerminal terminal(ClockMode::real);
    EXPECT_THROW(terminal.run(RunSetup{}, [] { throw std::runtime_error("broken"); }), std::runtime_error);
    EXPECT_EQ(terminal.wait_idle(std::chrono::milliseconds(0)), RuntimeState::finished);
    EXPECT_EQ(terminal.run(RunSetup{}, [] {}), RunEnd::returned);
}

TEST(HostRun, ARunAfterAStopStartsAfresh) {
    CTerminal terminal(ClockMode::virtual_time);
    std::vector<int> first, second;
    std::thread one([&] { terminal.run(RunSetup{}, collect_keys(first)); });
    EXPECT_EQ(terminal.wait_idle(), RuntimeState::waiting);
    terminal.key_press('3');
    terminal.stop();
    one.join();
    std::promise<void> started;
    std::thread two([&] {
        terminal.run(RunSetup{}, [&] {
            started.set_value();
            collect_keys(second)();
        });
    });
    started.get_future().wait();
    EXPECT_EQ(terminal.wait_idle(), RuntimeState::waiting);
    terminal.key_press('4');
    EXPECT_EQ(terminal.wait_idle(), RuntimeState::waiting);
    terminal.stop();
    two.join();
    EXPECT_EQ(second, std::vector<int>{'4'});
}

} // namespace
} // namespace formwick::test
