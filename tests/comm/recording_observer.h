// An observer that keeps every loader event and may act on one.
#pragma once

#include "comm/loader_event.h"

#include <functional>
#include <vector>

namespace formwick::test {

struct RecordingObserver final : LoaderObserver {
    void loader_event(const LoaderEvent& event) override {
        events.push_back(event);
        if (on_event) on_event(event);
    }
    const LoaderEvent& last() const { return events.back(); }
    int finals() const {
        int n = 0;
        for (const LoaderEvent& e : events) n += is_under_way(e.status) ? 0 : 1;
        return n;
    }

    std::vector<LoaderEvent> events;
    std::function<void(const LoaderEvent&)> on_event;
};

} // namespace formwick::test
