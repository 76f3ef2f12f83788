// Where the beeper's tones go: the window's sound device, a recorder in
// tests, or nowhere.
#pragma once

#include <cstdint>
#include <vector>

namespace formwick {

// One step of a tone sequence on the host clock.
struct ToneSegment {
    int frequency = 0; // Hz; 0 is a silent step
    std::int64_t start = 0;
    int duration = 0; // ms
    bool operator==(const ToneSegment&) const = default;
};

class AudioOutput {
public:
    virtual ~AudioOutput() = default;
    // Stops whatever still plays at time `at` and plays `sequence` (which may
    // be empty: then it only stops). Square waves at one loudness.
    virtual void play(std::int64_t at, const std::vector<ToneSegment>& sequence) = 0;
};

class NullAudioOutput final : public AudioOutput {
public:
    void play(std::int64_t, const std::vector<ToneSegment>&) override {}
};

} // namespace formwick
