// Small fakes of the terminal services for the presentation tests: a
// display that remembers glyphs by pixel position (so a screen can be read
// back as text), scripted keys and barcodes, and recorders for sound, LED,
// clock and RAM disk files.
#pragma once

#include "runtime/services/terminal.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace formwick::testing {

struct Cell {
    int code = 0;
    bool reverse = false;
    int width = 6;
    int height = 12;
};

struct DrawnImage {
    int x = 0, y = 0, width = 0, height = 0;
    const std::uint8_t* data = nullptr;
};

struct DrawnLine {
    int x0, y0, x1, y1, mode;
};

class FakeDisplay final : public DisplayService {
public:
    FakeDisplay();
    DisplayState& state() override { return state_; }
    void putc(int code) override;
    void refresh() override { ++refreshes; }
    void glyph(int code) override;
    void set_font(int font) override;
    void set_custom_font(const std::uint8_t* image, std::size_t size) override;
    void line(int x0, int y0, int x1, int y1, int mode) override;
    void image(int x, int y, ImageView image) override;
    int save(const char* name) override;
    int restore(const char* name) override;

    // The glyphs drawn at pixel row y as text, from x = 0 in steps of the
    // narrowest glyph seen on that row; blanks where nothing is drawn.
    std::string text_at(int y) const;
    // Text of a cell row of the current font (y = row x glyph height + offset).
    std::string row(int r) const { return text_at(r * state_.glyphHeight + state_.textYOffset); }
    // '#' for a reverse cell, '.' for a normal one, ' ' where nothing is drawn.
    std::string reverse_at(int y) const;
    std::string reverse_row(int r) const { return reverse_at(r * state_.glyphHeight + state_.textYOffset); }
    // Every row of the current font, joined with "\n", right blanks trimmed.
    std::string screen() const;

    std::map<std::pair<int, int>, Cell> cells; // (y, x) -> glyph
    std::vector<DrawnImage> images;
    std::vector<DrawnLine> lines;
    std::vector<int> fonts; // every font selected, -1 for custom
    int refreshes = 0;
    int clears = 0;
    bool fail_save = false;
    std::map<std::string, std::map<std::pair<int, int>, Cell>> saved;
    std::vector<std::string> saves, restores;

private:
    std::string row_view(int y, char (*shown)(const Cell&)) const;
    DisplayState state_;
    bool escape_ = false;
};

// One step of a key script: a key, or a barcode for the scanner.
struct ScriptStep {
    int key = KEY_NONE;
    std::string barcode;
    bool is_barcode = false;
};

class FakeKeys final : public KeyService {
public:
    // The script: keys, and barcodes given with barcode().
    void push(int key) { script.push_back({key, {}, false}); }
    void push(std::initializer_list<int> keys) {
        for (int k : keys) push(k);
    }
    void type(const std::string& text) {
        for (unsigned char c : text) push(c);
    }
    void barcode(const std::string& text) { script.push_back({KEY_NONE, text, true}); }

    int get() override;
    int get_timeout() override;
    int wait_for(const int* codes, int count) override;
    void flush() override;
    void unget(int code) override { script.push_front({code, {}, false}); }
    int poll() override;
    void wait_ms(int ms) override;
    void scanner_arm(int read_mode) override {
        armed = true;
        arm_modes.push_back(read_mode);
    }
    int scanner_read(char* buffer, int max_length) override;
    void scanner_disarm() override { armed = false; }
    int busy_start(TickCallback callback) override {
        tick = callback;
        return 0;
    }
    int busy_stop(TickCallback callback) override {
        if (tick == callback) tick = nullptr;
        return 0;
    }

    std::deque<ScriptStep> script;
    std::vector<int> taken;      // every key returned by get()
    int timeouts_left = 3;       // get_timeout() on an empty script: KEY_NONE this often, then stop
    int timeouts = 0;
    int flushes = 0;
    bool armed = false;
    std::vector<int> arm_modes;
    TickCallback tick = nullptr;
    // Called on each get() before the key is taken: lets a test look at the
    // screen a key is pressed on.
    std::function<void()> before_key;
    long long waited_ms = 0;
};

struct SoundCall {
    int steps, volume;
    std::vector<int> tones;
};

class FakeSound final : public SoundService {
public:
    void sound(int steps, int volume, const int* tones, int count) override {
        calls.push_back({steps, volume, std::vector<int>(tones, tones + count)});
    }
    int count_like(int steps, int volume, std::vector<int> tones) const;
    std::vector<SoundCall> calls;
};

class FakeLeds final : public LedService {
public:
    void show(int colour, bool blink, int time_ms) override {
        on = true;
        this->colour = colour;
        this->blink = blink;
        this->time_ms = time_ms;
        shows.push_back(colour);
    }
    void off() override {
        on = false;
        ++offs;
    }
    bool on = false, blink = false;
    int colour = -1, time_ms = 0, offs = 0;
    std::vector<int> shows;
};

class FakeClock final : public ClockService {
public:
    void get_date(DateRecord& d) override { d = date; }
    void get_time(TimeRecord& t) override { t = time; }
    int set_date(const DateRecord& d) override;
    DateRecord date{2026, 12, 10};
    TimeRecord time{9, 5, 7};
    std::vector<DateRecord> set_calls;
};

class FakeFiles final : public FileService {
public:
    int open(const char* name, int mode) override;
    long long read(int, void*, long long) override { return -1; }
    long long write(int, const void*, long long) override { return -1; }
    long long seek(int, long long, int) override { return -1; }
    int truncate(int, long long) override { return -1; }
    int close(int) override { return 0; }
    int remove(const char* name) override;
    int rename(const char*, const char*) override { return -1; }
    long long file_size(const char* name) override;
    std::vector<RamDiskEntry> list() override { return entries; }

    void add(const std::string& name, long long size, bool directory = false) {
        entries.push_back({name, size, directory});
    }
    bool exists(const std::string& name) const;
    std::vector<RamDiskEntry> entries;
    std::vector<std::string> removed;
    std::vector<std::string> refuse_remove;
};

// All six fakes, installed for the fixture's lifetime.
struct FakeTerminal {
    FakeDisplay display;
    FakeKeys keys;
    FakeClock clock;
    FakeSound sound;
    FakeLeds leds;
    FakeFiles files;
    ScopedServices installed{Terminal{&display, &keys, &clock, &sound, &leds, &files}};
};

} // namespace formwick::testing
