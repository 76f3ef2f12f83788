#include "simulator/core/beeper/timeline_recorder.h"

namespace formwick {

void TimelineRecorder::play(std::int64_t at, const std::vector<ToneSegment>& sequence) {
    std::lock_guard lock(mutex_);
    // Segments that had not finished by `at` are cut there; those that had
    // not started are dropped.
    while (!heard_.empty() && heard_.back().start >= at) heard_.pop_back();
    if (!heard_.empty()) {
        ToneSegment& last = heard_.back();
        if (last.start + last.duration > at) last.duration = static_cast<int>(at - last.start);
    }
    heard_.insert(heard_.end(), sequence.begin(), sequence.end());
}

std::vector<ToneSegment> TimelineRecorder::timeline() const {
    std::lock_guard lock(mutex_);
    return heard_;
}

void TimelineRecorder::clear() {
    std::lock_guard lock(mutex_);
    heard_.clear();
}

} // namespace formwick
