// A display installed as the terminal's display, with RAM disk files kept in
// memory and the sounds it asks for recorded.
#pragma once

#include "runtime/services/terminal.h"
#include "simulator/core/display/screen.h"
#include "simulator/core/display/stat_display.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace formwick::test {

class MemoryFiles final : public FileService {
public:
    std::map<std::string, std::vector<std::uint8_t>> files;
    bool fail_writes = false;

    int open(const char* name, int mode) override;
    long long read(int handle, void* buffer, long long count) override;
    long long write(int handle, const void* buffer, long long count) override;
    long long seek(int, long long, int) override { return -1; }
    int truncate(int, long long) override { return -1; }
    int close(int handle) override;
    int remove(const char* name) override { return files.erase(name) ? 0 : -1; }
    int rename(const char*, const char*) override { return -1; }
    long long file_size(const char* name) override;
    std::vector<RamDiskEntry> list() override { return {}; }

private:
    struct Open {
        std::string name;
        std::size_t position = 0;
    };
    std::map<int, Open> open_;
    int next_ = 1;
};

struct SoundCall {
    int steps, volume;
    std::vector<int> tones;
    bool operator==(const SoundCall&) const = default;
};

class RecordingSound final : public SoundService {
public:
    std::vector<SoundCall> calls;
    void sound(int steps, int volume, const int* tones, int count) override {
        calls.push_back({steps, volume, std::vector<int>(tones, tones + count)});
    }
};

class DisplayTest : public ::testing::Test {
protected:
    CStatDisplay display;
    MemoryFiles files;
    RecordingSound beeper;
    ScopedServices installed{Terminal{&display, nullptr, nullptr, &beeper, nullptr, &files}};

    DisplayState& st() { return display.state(); }
    // Text art of the live buffer's rectangle (x, y, w, h).
    std::string art(int x, int y, int w, int h) const;
    // The composed screen read back in the current font.
    std::vector<std::string> text();
};

} // namespace formwick::test
