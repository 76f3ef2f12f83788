// The beeper: turns sound(steps, volume, tones...) into a tone sequence on
// the host clock and hands it to the audio output.
//
// Tone codes: 100 = 400 Hz, 1000 = 600 Hz, 2500 = 1000 Hz, 3500 = 1500 Hz,
// 1 = one silent step; any other code repeats the frequency of the last tone
// that played (1500 Hz before the first). At most 10 codes, each lasting
// steps x 20 ms. Volume 0 does nothing at all; a new call cuts the sequence
// still playing. sound() may be called from any thread.
#pragma once

#include "runtime/services/terminal.h"
#include "simulator/core/beeper/audio_output.h"
#include "simulator/core/host/host_clock.h"

#include <mutex>

namespace formwick {

class Beeper final : public SoundService {
public:
    static constexpr int kStepMs = 20;
    static constexpr int kMaxTones = 10;
    static constexpr int kFirstFrequency = 1500;

    Beeper(const HostClock& clock, AudioOutput* output);

    void sound(int steps, int volume, const int* tones, int count) override;

    // The sequence of `count` codes (stopping at a 0) starting at `start`,
    // with `frequency` as the previous tone's frequency.
    static std::vector<ToneSegment> sequence(int steps, const int* tones, int count, std::int64_t start,
                                             int frequency);

private:
    const HostClock& clock_;
    AudioOutput* output_;
    std::mutex mutex_;
    std::vector<ToneSegment> playing_; // the last sequence handed out
    int frequency_ = kFirstFrequency;  // of the last tone that started before `playing_`
};

} // namespace formwick
