// Alpha-mode typing: the letter cycle, the commit by pause or by another
// key, the preview at the cursor and the alpha codes.
#include "simulator/core/keys/multi_tap.h"
#include "virtual_run.h"

#include <gtest/gtest.h>

#include <future>

namespace formwick::test {
namespace {

const KeyListEntry& key(int code) { return *find_key(key_list(TerminalModel::KTM3300), code); }

TEST(HostMultiTap, SevenTapsCycleBackToTheFirstLetter) {
    MultiTap tap;
    std::string seen;
    for (int i = 0; i < 7; ++i) {
        TapEffect e = tap.press(key('2'));
        EXPECT_EQ(e.commit, 0);
        seen += static_cast<char>(e.preview);
    }
    EXPECT_EQ(seen, "abcABCa");
    EXPECT_EQ(tap.pending(), 'a');
}

TEST(HostMultiTap, TheLetterCommitsOnTheFiftiethQuietTick) {
    MultiTap tap;
    tap.press(key('2'));
    tap.press(key('2'));
    for (int i = 0; i < 49; ++i) ASSERT_EQ(tap.tick(), 0);
    EXPECT_EQ(tap.tick(), 'b');
    EXPECT_EQ(tap.pending(), 0);
    EXPECT_EQ(tap.press(key('2')).preview, 'a') << "after a commit the key starts afresh";
}

TEST(HostMultiTap, AnEarlyCommitRestartsTheSameKey) {
    MultiTap tap;
    tap.press(key('2'));
    TapEffect up = tap.press(key(KEY_UP));
    EXPECT_EQ(up.commit, 'a');
    EXPECT_EQ(up.send, KEY_UP_ALPHA);
    EXPECT_EQ(tap.press(key('2')).preview, 'a');
}

// Through the host: what the runtime receives.
class HostAlpha : public ::testing::Test {
protected:
    HostAlpha() : run(collect_keys(got)) {
        run.settle();
        run.terminal.set_alpha_mode(true);
    }
    std::vector<int> got;
    VirtualRun run;
};

TEST_F(HostAlpha, ThreeTapsAndAPauseGiveC) {
    for (int i = 0; i < 3; ++i) run.press('2');
    EXPECT_TRUE(got.empty());
    EXPECT_EQ(run.terminal.pending_letter(), 'c');
    ASSERT_TRUE(run.terminal.advance(980));
    EXPECT_TRUE(got.empty()) << "committed before 50 ticks";
    ASSERT_TRUE(run.terminal.advance(20));
    run.settle();
    EXPECT_EQ(got, std::vector<int>{'c'});
}

TEST_F(HostAlpha, AnotherKeyCommitsAtOnceAndStaysPending) {
    run.press('2');
    run.press('3');
    EXPECT_EQ(got, std::vector<int>{'a'});
    EXPECT_EQ(run.terminal.pending_letter(), 'd');
}

TEST_F(HostAlpha, ThePendingLetterIsDrawnAtTheCursorWithoutMovingIt) {
    run.display.state_.cursorColumn = 4;
    run.display.state_.cursorRow = 2;
    run.press('2');
    run.press('2');
    EXPECT_EQ(run.display.glyphs, (std::vector<RecordingDisplay::Glyph>{{'a', 4, 2}, {'b', 4, 2}}));
    EXPECT_EQ(run.display.state_.cursorColumn, 4);
}

// The runtime sets its cursor by hand; a tap made while it is busy must not
// draw at a cursor it is changing. The preview waits for the runtime's next
// wait and is drawn then, at the cursor the runtime left.
TEST(HostAlphaBusy, ATapWhileTheRuntimeIsBusyIsPreviewedAtItsNextWait) {
    std::promise<void> busy, tapped;
    std::shared_future<void> tappedSeen = tapped.get_future().share();
    std::vector<int> got;
    VirtualRun run([&] {
        key_get(); // the go-ahead: from here on the routine is busy
        display_state().cursorColumn = 7;
        busy.set_value();
        tappedSeen.wait();
        display_state().cursorRow = 3;
        for (;;) got.push_back(key_get());
    });
    run.settle();
    run.terminal.set_alpha_mode(true);
    run.terminal.key_press(KEY_ENTER);
    busy.get_future().wait();
    run.terminal.key_press('2');
    run.terminal.key_press('2');
    EXPECT_TRUE(run.display.glyphs.empty()) << "drawn while the runtime was busy";
    tapped.set_value();
    run.settle();
    EXPECT_EQ(run.display.glyphs, (std::vector<RecordingDisplay::Glyph>{{'b', 7, 3}}));
    EXPECT_TRUE(got.empty());
}

TEST_F(HostAlpha, NoPreviewWhenItIsSwitchedOff) {
    run.terminal.set_preview(false);
    run.press('2');
    EXPECT_TRUE(run.display.glyphs.empty());
}

TEST_F(HostAlpha, KeysWithoutLettersSendTheirAlphaCodes) {
    const std::pair<int, int> cases[] = {
        {KEY_UP, KEY_UP_ALPHA}, {KEY_DOWN, KEY_DOWN_ALPHA}, {KEY_F1, KEY_F5}, {KEY_F4, KEY_F8},
        {KEY_TRIGGER, KEY_TRIGGER}, {KEY_ENTER, KEY_ENTER}, {KEY_CLEAR, KEY_CLEAR}, {KEY_BS, KEY_BS},
    };
    for (auto [code, sent] : cases) {
        got.clear();
        run.press(code);
        EXPECT_EQ(got, std::vector<int>{sent}) << "key " << code;
    }
}

TEST_F(HostAlpha, ALetterPendingWhenAlphaModeEndsComesFirst) {
    run.press('5');
    run.terminal.set_alpha_mode(false);
    run.settle();
    run.press('5');
    EXPECT_EQ(got, (std::vector<int>{'j', '5'}));
}

TEST_F(HostAlpha, AlphaAndMenuKeysNeverReachTheRuntime) {
    run.press(KEY_MENU);
    run.press(KEY_ALPHA);
    EXPECT_FALSE(run.terminal.alpha_mode());
    run.press(KEY_ALPHA);
    EXPECT_TRUE(run.terminal.alpha_mode());
    EXPECT_TRUE(got.empty());
}

TEST(HostAlphaOff, DigitsGoThroughAsThemselves) {
    std::vector<int> got;
    VirtualRun run(collect_keys(got));
    run.press('2');
    run.press(KEY_UP);
    EXPECT_EQ(got, (std::vector<int>{'2', KEY_UP}));
}

} // namespace
} // namespace formwick::test
