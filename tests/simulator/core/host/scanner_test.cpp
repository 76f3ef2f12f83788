// The scanner: arming modes and one read attempt against a barcode entry.
#include "virtual_run.h"

#include <gtest/gtest.h>

#include <cstring>

namespace formwick::test {
namespace {

class FixedEntry final : public BarcodeEntry {
public:
    std::optional<std::string> answer;
    int asked = 0;
    std::optional<std::string> read_barcode(int) override {
        ++asked;
        return answer;
    }
};

// One read per case, made by the routine; the trigger is held throughout.
struct ScanCase {
    const char* name;
    int readMode;
    std::optional<std::string> answer;
    int result;
    bool armedAfter; // a second read asks the entry again
};

const ScanCase kScanCases[] = {
    {"single_good_read_disarms", 0, "4006381", 0, false},
    {"trigger_good_read_disarms", 2, "4006381", 0, false},
    {"multiple_stays_armed", 1, "4006381", 0, true},
    {"cancel_disarms", 1, std::nullopt, -1, false},
    {"empty_entry_disarms", 1, "", -1, false},
    {"too_long_disarms", 1, "123456789", -1, false},
    {"exactly_max_length", 3, "12345678", 0, false},
};

class HostScanner : public ::testing::TestWithParam<ScanCase> {};

TEST_P(HostScanner, OneRead) {
    const ScanCase& c = GetParam();
    FixedEntry entry;
    entry.answer = c.answer;
    int result = 99, second = 99;
    char buffer[9] = "xxxxxxxx";
    VirtualRun run(
        [&] {
            scanner_arm(c.readMode);
            wait_ms(1000); // the barcode dialog, until the trigger press
            result = scanner_read(buffer, 8);
            second = scanner_read(buffer, 8);
            key_get();
        },
        TerminalModel::KTM3300, ClockMode::virtual_time, &entry);
    run.settle();
    run.terminal.set_trigger_held(true);
    run.terminal.key_press(KEY_TRIGGER);
    run.settle();
    EXPECT_EQ(result, c.result);
    if (c.result == 0) {
        EXPECT_STREQ(buffer, c.answer->c_str());
    }
    EXPECT_EQ(entry.asked, c.armedAfter ? 2 : 1);
    EXPECT_EQ(second == 0, c.armedAfter && c.result == 0);
}

INSTANTIATE_TEST_SUITE_P(HostReads, HostScanner, ::testing::ValuesIn(kScanCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(HostScannerIdle, NoReadWhenNotArmedOrTriggerUp) {
    FixedEntry entry;
    entry.answer = "123";
    int unarmed = 0, released = 0;
    char buffer[16];
    VirtualRun run(
        [&] {
            unarmed = scanner_read(buffer, 15);
            scanner_arm(0);
            released = scanner_read(buffer, 15);
            key_get();
        },
        TerminalModel::KTM3300, ClockMode::virtual_time, &entry);
    run.settle();
    EXPECT_EQ(unarmed, -1);
    EXPECT_EQ(released, -1);
    EXPECT_EQ(entry.asked, 0);
}

TEST(HostScannerIdle, TheReadTakesTheTriggerPressOffTheQueue) {
    FixedEntry entry;
    entry.answer = "42";
    int next = 0;
    char buffer[16];
    VirtualRun run(
        [&] {
            scanner_arm(0);
            wait_ms(1000);
            scanner_read(buffer, 15);
            next = key_get();
        },
        TerminalModel::KTM3300, ClockMode::virtual_time, &entry);
    run.settle();
    run.terminal.set_trigger_held(true);
    run.terminal.key_press(KEY_TRIGGER);
    run.settle();
    run.terminal.set_trigger_held(false);
    run.press(KEY_ENTER);
    EXPECT_EQ(next, KEY_ENTER);
}

} // namespace
} // namespace formwick::test
