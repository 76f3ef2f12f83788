// The tone sequencer: codes to frequencies, steps, silence, the cut.
#include "simulator/core/beeper/beeper.h"
#include "simulator/core/beeper/timeline_recorder.h"

#include <gtest/gtest.h>

namespace formwick::test {
namespace {

using Timeline = std::vector<ToneSegment>;

class HostBeeper : public ::testing::Test {
protected:
    void at(HostClock::Millis ms) { clock.advance_to(ms); }
    void play(int steps, int volume, std::vector<int> tones) {
        beeper.sound(steps, volume, tones.data(), static_cast<int>(tones.size()));
    }
    HostClock clock{ClockMode::virtual_time};
    TimelineRecorder heard;
    Beeper beeper{clock, &heard};
};

TEST_F(HostBeeper, VolumeZeroIsSilentAndCutsNothing) {
    play(5, 32, {3500, 3500});
    at(50);
    play(5, 0, {2500});
    EXPECT_EQ(heard.timeline(), (Timeline{{1500, 0, 100}, {1500, 100, 100}}));
}

TEST_F(HostBeeper, SilentStepsBetweenBeeps) {
    play(5, 32, {2500, 1, 2500, 1, 2500});
    EXPECT_EQ(heard.timeline(),
              (Timeline{{1000, 0, 100}, {0, 100, 100}, {1000, 200, 100}, {0, 300, 100}, {1000, 400, 100}}));
}

TEST_F(HostBeeper, ANewSoundCutsTheOneStillPlaying) {
    play(5, 127, {100, 1000, 2500, 3500});
    at(130);
    play(3, 32, {3500});
    EXPECT_EQ(heard.timeline(), (Timeline{{400, 0, 100}, {600, 100, 30}, {1500, 130, 60}}));
}

TEST_F(HostBeeper, OtherCodesRepeatTheLastFrequencyThatPlayed) {
    play(1, 32, {7});
    EXPECT_EQ(heard.timeline().back().frequency, 1500) << "1500 Hz before any tone";
    at(100);
    play(1, 32, {100, 1, 42});
    at(200);
    play(1, 32, {2500, 3500});
    at(220); // cut after the first tone: 1000 Hz played, 1500 Hz never started
    play(1, 32, {9});
    const Timeline t = heard.timeline();
    EXPECT_EQ(t[2], (ToneSegment{0, 120, 20}));
    EXPECT_EQ(t[3].frequency, 400) << "repeats across the silent step";
    EXPECT_EQ(t.back(), (ToneSegment{1000, 220, 20}));
}

TEST_F(HostBeeper, AtMostTenCodesAndAZeroEndsTheList) {
    play(1, 32, std::vector<int>(12, 3500));
    EXPECT_EQ(heard.timeline().size(), 10u);
    heard.clear();
    at(1000);
    play(2, 32, {100, 0, 2500});
    EXPECT_EQ(heard.timeline(), (Timeline{{400, 1000, 40}}));
}

TEST_F(HostBeeper, NoStepsOnlyCuts) {
    play(10, 32, {3500});
    at(50);
    play(0, 32, {2500});
    EXPECT_EQ(heard.timeline(), (Timeline{{1500, 0, 50}}));
}

} // namespace
} // namespace formwick::test
