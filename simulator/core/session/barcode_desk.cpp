#include "simulator/core/session/barcode_desk.h"

namespace formwick {

std::optional<std::string> BarcodeDesk::read(int max_length, const std::atomic<bool>& stopped) {
    std::optional<std::string> result;
    {
        std::unique_lock lock(mutex_);
        if (stopped) return result;
        open_ = true;
        answered_ = false;
        answer_.reset();
        events_.post_barcode_opened(max_length);
        wake_.wait(lock, [&] { return answered_ || stopped; });
        if (answered_) result = std::move(answer_);
        open_ = false;
        answered_ = false;
        answer_.reset();
    }
    events_.post_barcode_closed();
    return result;
}

void BarcodeDesk::answer(std::optional<std::string> text) {
    {
        std::lock_guard lock(mutex_);
        if (!open_ || answered_) return;
        answer_ = std::move(text);
        answered_ = true;
    }
    wake_.notify_all();
}

void BarcodeDesk::cancel() {
    // Taking the lock orders the waiter's look at `stopped` before this wake.
    { std::lock_guard lock(mutex_); }
    wake_.notify_all();
}

bool BarcodeDesk::waiting() const {
    std::lock_guard lock(mutex_);
    return open_;
}

} // namespace formwick
