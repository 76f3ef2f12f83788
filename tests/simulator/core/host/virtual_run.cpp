#include "virtual_run.h"

#include <gtest/gtest.h>

namespace formwick::test {

VirtualRun::VirtualRun(std::function<void()> routine, TerminalModel model, ClockMode mode, BarcodeEntry* barcodes)
    : terminal(mode, &audio) {
    RunSetup setup;
    setup.display = &display;
    setup.keys = key_list(model);
    setup.barcodes = barcodes;
    thread_ = std::thread([this, setup, routine] { end_ = terminal.run(setup, routine); });
}

VirtualRun::~VirtualRun() {
    if (thread_.joinable()) finish();
}

void VirtualRun::settle() {
    const RuntimeState state = terminal.wait_idle(std::chrono::seconds(10));
    ASSERT_NE(state, RuntimeState::busy) << "the routine did not wait";
}

void VirtualRun::press(int code) {
    settle();
    terminal.key_press(code);
    settle();
}

RunEnd VirtualRun::finish() {
    terminal.stop();
    thread_.join();
    return end_;
}

std::function<void()> collect_keys(std::vector<int>& got) {
    return [&got] {
        for (;;) got.push_back(key_get());
    };
}

} // namespace formwick::test
