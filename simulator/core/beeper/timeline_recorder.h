// An audio output that keeps what would have been heard: every segment
// played, with a cut sequence shortened to the moment of the cut.
#pragma once

#include "simulator/core/beeper/audio_output.h"

#include <mutex>

namespace formwick {

class TimelineRecorder final : public AudioOutput {
public:
    void play(std::int64_t at, const std::vector<ToneSegment>& sequence) override;
    std::vector<ToneSegment> timeline() const;
    void clear();

private:
    mutable std::mutex mutex_;
    std::vector<ToneSegment> heard_;
};

} // namespace formwick
