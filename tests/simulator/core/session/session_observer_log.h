// A session observer for tests: counts what it hears, notes the threads it
// is called on, and lets a test wait for a piece of news.
#pragma once

#include "simulator/core/session/terminal_session.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <thread>

namespace formwick::test {

class ObserverLog final : public SessionObserver {
public:
    void frame_ready() override;
    void led_changed() override;
    void tones(std::int64_t at, const std::vector<ToneSegment>& sequence) override;
    void barcode_opened(int max_length) override;
    void barcode_closed() override;
    void run_ended(RunEnd end, const std::string& failure) override;

    // Called on the event thread inside frame_ready (before it is counted).
    std::function<void()> onFrame;

    // Waits up to `limit` until `done` holds under the log's lock.
    bool wait(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5));

    std::mutex mutex;
    int frames = 0, leds = 0, toneCalls = 0, barcodeOpens = 0, barcodeCloses = 0;
    std::vector<RunEnd> ends;
    std::vector<std::string> failures;
    std::set<std::thread::id> threads;

private:
    void note(const std::function<void()>& change);
    std::condition_variable changed_;
};

// A temporary RAM disk folder, removed with everything in it.
struct TempFolder {
    TempFolder();
    ~TempFolder();
    std::filesystem::path path;
};

} // namespace formwick::test
