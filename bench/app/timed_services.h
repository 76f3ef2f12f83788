// Terminal services that pass every call on to the real ones and count the
// real time spent inside, so a benchmark can tell how much of a run goes to
// drawing, to the RAM disk and to waiting for the next key.
#pragma once

#include "runtime/services/terminal.h"

#include <atomic>
#include <chrono>
#include <cstdint>

namespace formwick::bench {

// Calls and nanoseconds of one kind of service call. Atomic because the
// host may draw a multi-tap preview from the driver's thread.
struct CallTime {
    std::atomic<std::int64_t> calls{0};
    std::atomic<std::int64_t> ns{0};

    double seconds() const { return static_cast<double>(ns.load()) / 1e9; }
    void reset() {
        calls = 0;
        ns = 0;
    }
};

// Runs `call` and adds its duration to `into`.
template <class Call> decltype(auto) timed(CallTime& into, Call&& call) {
    struct Lap {
        CallTime& into;
        std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
        ~Lap() {
            into.calls.fetch_add(1, std::memory_order_relaxed);
            into.ns.fetch_add(std::chrono::duration_cast<std::chrono::nanoseconds>(
                                  std::chrono::steady_clock::now() - start)
                                  .count(),
                              std::memory_order_relaxed);
        }
    } lap{into};
    return call();
}

class TimedDisplay final : public DisplayService {
public:
    explicit TimedDisplay(DisplayService& inner) : inner_(inner) {}

    CallTime text;   // putc and glyph: characters drawn, control codes
    CallTime frames; // refresh: the frame handed to the front end
    CallTime shapes; // lines, images, font changes
    CallTime saving; // display_save / display_restore (index rebuilds)

    DisplayState& state() override { return inner_.state(); }
    void putc(int code) override { timed(text, [&] { inner_.putc(code); }); }
    void refresh() override { timed(frames, [&] { inner_.refresh(); }); }
    void glyph(int code) override { timed(text, [&] { inner_.glyph(code); }); }
    void set_font(int font) override { timed(shapes, [&] { inner_.set_font(font); }); }
    void set_custom_font(const std::uint8_t* image, std::size_t size) override {
        timed(shapes, [&] { inner_.set_custom_font(image, size); });
    }
    void line(int x0, int y0, int x1, int y1, int mode) override {
        timed(shapes, [&] { inner_.line(x0, y0, x1, y1, mode); });
    }
    void image(int x, int y, ImageView image) override { timed(shapes, [&] { inner_.image(x, y, image); }); }
    int save(const char* name) override { return timed(saving, [&] { return inner_.save(name); }); }
    int restore(const char* name) override { return timed(saving, [&] { return inner_.restore(name); }); }

private:
    DisplayService& inner_;
};

class TimedFiles final : public FileService {
public:
    explicit TimedFiles(FileService& inner) : inner_(inner) {}

    CallTime opening; // open and close
    CallTime reading;
    CallTime writing; // write and truncate
    CallTime seeking;
    CallTime folder; // remove, rename, size, list

    double seconds() const {
        return opening.seconds() + reading.seconds() + writing.seconds() + seeking.seconds() + folder.seconds();
    }

    int open(const char* name, int mode) override { return timed(opening, [&] { return inner_.open(name, mode); }); }
    long long read(int handle, void* buffer, long long count) override {
        return timed(reading, [&] { return inner_.read(handle, buffer, count); });
    }
    long long write(int handle, const void* buffer, long long count) override {
        return timed(writing, [&] { return inner_.write(handle, buffer, count); });
    }
    long long seek(int handle, long long offset, int from) override {
        return timed(seeking, [&] { return inner_.seek(handle, offset, from); });
    }
    int truncate(int handle, long long size) override {
        return timed(writing, [&] { return inner_.truncate(handle, size); });
    }
    int close(int handle) override { return timed(opening, [&] { return inner_.close(handle); }); }
    int remove(const char* name) override { return timed(folder, [&] { return inner_.remove(name); }); }
    int rename(const char* from, const char* to) override {
        return timed(folder, [&] { return inner_.rename(from, to); });
    }
    long long file_size(const char* name) override { return timed(folder, [&] { return inner_.file_size(name); }); }
    std::vector<RamDiskEntry> list() override { return timed(folder, [&] { return inner_.list(); }); }

private:
    FileService& inner_;
};

// Wraps the host's key service. A wait (key_get and the rest) lasts until
// the script player has pressed the next key, so its time is the script's.
class TimedKeys final : public KeyService {
public:
    explicit TimedKeys(KeyService& inner) : inner_(inner) {}

    CallTime waiting;  // get, get_timeout, wait_for, wait_ms
    CallTime scanning; // scanner_read: a barcode read waits like a key
    CallTime other;    // the calls that never wait

    int get() override { return timed(waiting, [&] { return inner_.get(); }); }
    int get_timeout() override { return timed(waiting, [&] { return inner_.get_timeout(); }); }
    int wait_for(const int* codes, int count) override {
        return timed(waiting, [&] { return inner_.wait_for(codes, count); });
    }
    void wait_ms(int ms) override { timed(waiting, [&] { inner_.wait_ms(ms); }); }
    int scanner_read(char* buffer, int max_length) override {
        return timed(scanning, [&] { return inner_.scanner_read(buffer, max_length); });
    }
    void flush() override { timed(other, [&] { inner_.flush(); }); }
    void unget(int code) override { timed(other, [&] { inner_.unget(code); }); }
    int poll() override { return timed(other, [&] { return inner_.poll(); }); }
    void scanner_arm(int read_mode) override { timed(other, [&] { inner_.scanner_arm(read_mode); }); }
    void scanner_disarm() override { timed(other, [&] { inner_.scanner_disarm(); }); }
    int busy_start(TickCallback callback) override { return timed(other, [&] { return inner_.busy_start(callback); }); }
    int busy_stop(TickCallback callback) override { return timed(other, [&] { return inner_.busy_stop(callback); }); }

private:
    KeyService& inner_;
};

} // namespace formwick::bench
