// The session's event thread: carries news from the drawing, tick and
// runtime threads to the observer without holding any of their locks.
//
// A post only records the news under this object's own small lock and wakes
// the event thread; the observer is called from there with no lock held.
// Frame and LED news are flags, so a burst of refreshes becomes one call;
// tones, barcode requests and run ends are kept in order.
#pragma once

#include "simulator/core/session/session_observer.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace formwick {

class SessionEvents {
public:
    explicit SessionEvents(SessionObserver* observer);
    ~SessionEvents();
    SessionEvents(const SessionEvents&) = delete;
    SessionEvents& operator=(const SessionEvents&) = delete;

    void post_frame();
    void post_led();
    void post_tones(std::int64_t at, std::vector<ToneSegment> sequence);
    void post_barcode_opened(int max_length);
    void post_barcode_closed();
    void post_run_ended(RunEnd end, std::string failure);

    // Waits until everything posted before the call has reached the observer.
    void flush();

private:
    void post(std::function<void(SessionObserver&)> call);
    void loop();

    SessionObserver* observer_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable delivered_;
    bool frame_ = false;
    bool led_ = false;
    std::deque<std::function<void(SessionObserver&)>> calls_;
    std::uint64_t posted_ = 0;    // posts so far
    std::uint64_t delivered_count_ = 0; // posts delivered so far
    bool quit_ = false;
    std::thread thread_;
};

} // namespace formwick
