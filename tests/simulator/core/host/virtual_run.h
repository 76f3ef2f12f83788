// Test helpers: a routine running on its own thread against a virtual-time
// terminal, and a display that records what is drawn.
#pragma once

#include "simulator/core/beeper/timeline_recorder.h"
#include "simulator/core/host/terminal_host.h"

#include <functional>
#include <thread>
#include <vector>

namespace formwick::test {

// Records glyph and control calls; the cursor never moves on its own.
class RecordingDisplay final : public DisplayService {
public:
    DisplayState& state() override { return state_; }
    void putc(int code) override { putcs.push_back(code); }
    void refresh() override { ++refreshes; }
    void glyph(int code) override { glyphs.push_back({code, state_.cursorColumn, state_.cursorRow}); }
    void set_font(int) override {}
    void set_custom_font(const std::uint8_t*, std::size_t) override {}
    void line(int, int, int, int, int) override {}
    void image(int, int, ImageView) override {}
    int save(const char*) override { return -1; }
    int restore(const char*) override { return -1; }

    struct Glyph {
        int code, column, row;
        bool operator==(const Glyph&) const = default;
    };
    DisplayState state_;
    std::vector<int> putcs;
    std::vector<Glyph> glyphs;
    int refreshes = 0;
};

// Starts `routine` in a run at once; the destructor stops and joins it.
class VirtualRun {
public:
    explicit VirtualRun(std::function<void()> routine, TerminalModel model = TerminalModel::KTM3300,
                        ClockMode mode = ClockMode::virtual_time, BarcodeEntry* barcodes = nullptr);
    ~VirtualRun();

    // Waits for the routine to block in a wait (fails the test otherwise).
    void settle();
    // Presses a key once the routine waits, and lets it react.
    void press(int code);
    RunEnd finish();

    TimelineRecorder audio;
    RecordingDisplay display;
    CTerminal terminal;

private:
    std::thread thread_;
    RunEnd end_ = RunEnd::not_entered;
};

// A routine that reads keys for ever and keeps them in `got`.
std::function<void()> collect_keys(std::vector<int>& got);

} // namespace formwick::test
