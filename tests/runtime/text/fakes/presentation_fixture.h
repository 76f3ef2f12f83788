// A fixture with the fake terminal installed and the runtime state reset
// around each test.
#pragma once

#include "runtime/runtime_state.h"

#include "fake_terminal.h"

#include <gtest/gtest.h>

#include <string>

namespace formwick {

class UiTest : public ::testing::Test {
protected:
    UiTest() { rt_state_reset(); }
    ~UiTest() override { rt_state_reset(); }

    // The screen as it is when the next key is taken.
    void capture_before_each_key() {
        t.keys.before_key = [this] { screens.push_back(t.display.screen()); };
    }

    testing::FakeTerminal t;
    std::vector<std::string> screens;
};

} // namespace formwick
