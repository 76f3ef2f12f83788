#include "simulator/core/session/session_events.h"

namespace formwick {

SessionEvents::SessionEvents(SessionObserver* observer) : observer_(observer) {
    thread_ = std::thread([this] { loop(); });
}

SessionEvents::~SessionEvents() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void SessionEvents::post_frame() {
    {
        std::lock_guard lock(mutex_);
        frame_ = true;
        ++posted_;
    }
    wake_.notify_one();
}

void SessionEvents::post_led() {
    {
        std::lock_guard lock(mutex_);
        led_ = true;
        ++posted_;
    }
    wake_.notify_one();
}

void SessionEvents::post(std::function<void(SessionObserver&)> call) {
    {
        std::lock_guard lock(mutex_);
        calls_.push_back(std::move(call));
        ++posted_;
    }
    wake_.notify_one();
}

void SessionEvents::post_tones(std::int64_t at, std::vector<ToneSegment> sequence) {
    post([at, sequence = std::move(sequence)](SessionObserver& o) { o.tones(at, sequence); });
}

void SessionEvents::post_barcode_opened(int max_length) {
    post([max_length](SessionObserver& o) { o.barcode_opened(max_length); });
}

void SessionEvents::post_barcode_closed() {
    post([](SessionObserver& o) { o.barcode_closed(); });
}

void SessionEvents::post_run_ended(RunEnd end, std::string failure) {
    post([end, failure = std::move(failure)](SessionObserver& o) { o.run_ended(end, failure); });
}

void SessionEvents::flush() {
    std::unique_lock lock(mutex_);
    const std::uint64_t target = posted_;
    delivered_.wait(lock, [&] { return delivered_count_ >= target || quit_; });
}

// Takes everything pending at once and delivers it outside the lock:
// the frame and the LED first, so a run's last picture comes before its end.
void SessionEvents::loop() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return quit_ || frame_ || led_ || !calls_.empty(); });
        if (quit_) break;
        const bool frame = frame_, led = led_;
        frame_ = led_ = false;
        std::deque<std::function<void(SessionObserver&)>> calls;
        calls.swap(calls_);
        const std::uint64_t reached = posted_;
        lock.unlock();
        if (observer_) {
            if (frame) observer_->frame_ready();
            if (led) observer_->led_changed();
            for (auto& call : calls) call(*observer_);
        }
        lock.lock();
        delivered_count_ = reached;
        delivered_.notify_all();
    }
    delivered_.notify_all();
}

} // namespace formwick
