#include "session_observer_log.h"

#include <cstdlib>

namespace formwick::test {

void ObserverLog::note(const std::function<void()>& change) {
    {
        std::lock_guard lock(mutex);
        threads.insert(std::this_thread::get_id());
        change();
    }
    changed_.notify_all();
}

void ObserverLog::frame_ready() {
    if (onFrame) onFrame();
    note([this] { ++frames; });
}
void ObserverLog::led_changed() { note([this] { ++leds; }); }
void ObserverLog::tones(std::int64_t, const std::vector<ToneSegment>&) { note([this] { ++toneCalls; }); }
void ObserverLog::barcode_opened(int) { note([this] { ++barcodeOpens; }); }
void ObserverLog::barcode_closed() { note([this] { ++barcodeCloses; }); }
void ObserverLog::run_ended(RunEnd end, const std::string& failure) {
    note([&] {
        ends.push_back(end);
        failures.push_back(failure);
    });
}

bool ObserverLog::wait(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    std::unique_lock lock(mutex);
    return changed_.wait_for(lock, limit, done);
}

TempFolder::TempFolder() {
    char pattern[] = "/tmp/formwick-session-XXXXXX";
    const char* made = mkdtemp(pattern);
    path = made ? made : "/tmp/formwick-session";
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path, ec);
}

} // namespace formwick::test
