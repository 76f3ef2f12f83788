#include "simulator/core/beeper/beeper.h"

namespace formwick {

namespace {

// The frequency of a tone code; 0 for the silent step, -1 to repeat.
int code_frequency(int code) {
    switch (code) {
    case TONE_400HZ: return 400;
    case TONE_600HZ: return 600;
    case TONE_1000HZ: return 1000;
    case TONE_1500HZ: return 1500;
    case TONE_SILENCE: return 0;
    default: return -1;
    }
}

} // namespace

Beeper::Beeper(const HostClock& clock, AudioOutput* output) : clock_(clock), output_(output) {}

std::vector<ToneSegment> Beeper::sequence(int steps, const int* tones, int count, std::int64_t start,
                                          int frequency) {
    std::vector<ToneSegment> out;
    if (steps <= 0) return out;
    const int duration = steps * kStepMs;
    for (int i = 0; i < count && i < kMaxTones && tones[i] != 0; ++i) {
        int f = code_frequency(tones[i]);
        if (f < 0) f = frequency;
        if (f > 0) frequency = f;
        out.push_back({f, start + static_cast<std::int64_t>(i) * duration, duration});
    }
    return out;
}

void Beeper::sound(int steps, int volume, const int* tones, int count) {
    if (volume == 0) return;
    std::lock_guard lock(mutex_);
    const std::int64_t now = clock_.now();
    // The tones of the cut sequence that started carry their frequency on.
    for (const ToneSegment& s : playing_)
        if (s.start < now && s.frequency > 0) frequency_ = s.frequency;
    playing_ = sequence(steps, tones, count, now, frequency_);
    if (output_) output_->play(now, playing_);
}

} // namespace formwick
