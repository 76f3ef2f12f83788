// The terminal services: everything the runtime asks of a terminal.
//
// The runtime is procedural code that calls free functions (display_putc,
// key_get, sound, ...). Each free function dispatches to one of six service
// interfaces of the terminal that the host installs for a run with
// services_install(). A service left null is replaced by a quiet null
// implementation, so a test can install only the services it exercises.
//
// All calls are made on the runtime thread, except the busy-animation tick
// callback, which the host calls on its timer thread.
//
// Stop: when the host stops a run, every waiting service (key_get,
// key_get_timeout, key_wait_for, wait_ms) throws TerminalStop{1}. The
// runtime never catches it; it unwinds to the host's run entry.
#pragma once

#include "runtime/services/keys.h"
#include "runtime/services/records.h"

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace formwick {

// Thrown by a waiting service when the host's stop event is set.
struct TerminalStop {
    int code = 1;
};

// ---------------------------------------------------------------- display
class DisplayService {
public:
    virtual ~DisplayService() = default;
    virtual DisplayState& state() = 0;
    // One byte at the cursor with control codes 1, 2, 7, 8, 9 (+ "r"), 10,
    // 12, 13; any other byte draws its glyph and moves one column right.
    virtual void putc(int code) = 0;
    virtual void refresh() = 0;
    // The glyph `code` at the cursor, without moving it.
    virtual void glyph(int code) = 0;
    // Built-in font 0..4.
    virtual void set_font(int font) = 0;
    // A custom font image (narrow, or wide when it starts 0xFE 0xFE). The
    // caller keeps the image alive while it is selected.
    virtual void set_custom_font(const std::uint8_t* image, std::size_t size) = 0;
    // mode 0 background, 1 dark, 2 invert. Refreshes.
    virtual void line(int x0, int y0, int x1, int y1, int mode) = 0;
    // Opaque, clipped at the edges. Refreshes.
    virtual void image(int x, int y, ImageView image) = 0;
    // The screen to or from a RAM disk file; 0, or -1 on failure.
    virtual int save(const char* name) = 0;
    virtual int restore(const char* name) = 0;
};

// ------------------------------------------------- keys, scanner, tick, stop
using TickCallback = void (*)();

class KeyService {
public:
    virtual ~KeyService() = default;
    // Next key, waiting as long as needed; sounds the click, drops the other
    // queued keys, records it as the last key.
    virtual int get() = 0;
    // As get(), but gives up after 250 ticks (5 s) with KEY_NONE.
    virtual int get_timeout() = 0;
    // get() until the key is one of `codes`, then empties the queue.
    virtual int wait_for(const int* codes, int count) = 0;
    virtual void flush() = 0;
    virtual void unget(int code) = 0;
    // The front key if one is queued (no click, nothing dropped), else KEY_NONE.
    virtual int poll() = 0;
    // Waits up to `ms` milliseconds, waking early when a key is queued;
    // throws TerminalStop when the stop is set. wait_ms(0) only checks the
    // stop.
    virtual void wait_ms(int ms) = 0;

    virtual void scanner_arm(int read_mode) = 0;
    // One read attempt: 0 with the barcode (UTF-8, at most max_length bytes,
    // NUL-terminated) in `buffer`, or -1.
    virtual int scanner_read(char* buffer, int max_length) = 0;
    virtual void scanner_disarm() = 0;

    // The busy animation's tick callback: installed in the first free of 20
    // slots (0, or -1 when all are taken), removed by busy_stop.
    virtual int busy_start(TickCallback callback) = 0;
    virtual int busy_stop(TickCallback callback) = 0;
};

// ------------------------------------------------------------------ clock
class ClockService {
public:
    virtual ~ClockService() = default;
    virtual void get_date(DateRecord& date) = 0; // zeros on failure
    virtual void get_time(TimeRecord& time) = 0; // 255 in each byte on failure
    // Checks only that the date can be represented: 0 or -1.
    virtual int set_date(const DateRecord& date) = 0;
};

// ------------------------------------------------------------ sound, LED
class SoundService {
public:
    virtual ~SoundService() = default;
    // Up to 10 tone codes, each `steps` x 20 ms; volume 0 does nothing; a new
    // call cuts the sequence in progress. Returns at once.
    virtual void sound(int steps, int volume, const int* tones, int count) = 0;
};

class LedService {
public:
    virtual ~LedService() = default;
    virtual void show(int colour, bool blink, int time_ms) = 0;
    virtual void off() = 0;
};

// ------------------------------------------------------------------ files
// RAM disk files, named by plain names relative to the RAM disk folder and
// resolved case-insensitively. A name with a path separator, a drive, "..",
// or a control character is refused (-1): nothing outside the folder is
// ever touched.
enum FileOpenMode {
    FILE_READ = 1,
    FILE_WRITE = 2,
    FILE_CREATE = 4,   // create when missing
    FILE_TRUNCATE = 8, // empty it on open
};

enum FileSeekFrom { FILE_SEEK_SET = 0, FILE_SEEK_CUR = 1, FILE_SEEK_END = 2 };

struct RamDiskEntry {
    std::string name;
    long long size = 0;
    bool directory = false;
};

class FileService {
public:
    virtual ~FileService() = default;
    // A handle >= 0, or -1.
    virtual int open(const char* name, int mode) = 0;
    // Bytes transferred (a short count at the end of the file), or -1.
    virtual long long read(int handle, void* buffer, long long count) = 0;
    virtual long long write(int handle, const void* buffer, long long count) = 0;
    // The new position, or -1.
    virtual long long seek(int handle, long long offset, int from) = 0;
    virtual int truncate(int handle, long long size) = 0;
    virtual int close(int handle) = 0;
    virtual int remove(const char* name) = 0;
    virtual int rename(const char* from, const char* to) = 0;
    // Creates the folder when missing; the file's size, or -1.
    virtual long long file_size(const char* name) = 0;
    // The folder's entries in directory order.
    virtual std::vector<RamDiskEntry> list() = 0;
};

// ---------------------------------------------------------- installation
struct Terminal {
    DisplayService* display = nullptr;
    KeyService* keys = nullptr;
    ClockService* clock = nullptr;
    SoundService* sound = nullptr;
    LedService* leds = nullptr;
    FileService* files = nullptr;
};

namespace services_detail {

class NullDisplay final : public DisplayService {
public:
    DisplayState& state() override { return state_; }
    void putc(int) override {}
    void refresh() override {}
    void glyph(int) override {}
    void set_font(int) override {}
    void set_custom_font(const std::uint8_t*, std::size_t) override {}
    void line(int, int, int, int, int) override {}
    void image(int, int, ImageView) override {}
    int save(const char*) override { return -1; }
    int restore(const char*) override { return -1; }

private:
    DisplayState state_;
};

// With no keys installed nothing can ever be typed: a wait ends the run.
class NullKeys final : public KeyService {
public:
    int get() override { throw TerminalStop{}; }
    int get_timeout() override { return KEY_NONE; }
    int wait_for(const int*, int count) override {
        if (count < 1) return KEY_NONE;
        throw TerminalStop{};
    }
    void flush() override {}
    void unget(int) override {}
    int poll() override { return KEY_NONE; }
    void wait_ms(int) override {}
    void scanner_arm(int) override {}
    int scanner_read(char*, int) override { return -1; }
    void scanner_disarm() override {}
    int busy_start(TickCallback) override { return 0; }
    int busy_stop(TickCallback) override { return 0; }
};

class NullClock final : public ClockService {
public:
    void get_date(DateRecord& d) override { d = DateRecord{}; }
    void get_time(TimeRecord& t) override { t = TimeRecord{255, 255, 255}; }
    int set_date(const DateRecord&) override { return -1; }
};

class NullSound final : public SoundService {
public:
    void sound(int, int, const int*, int) override {}
};

class NullLeds final : public LedService {
public:
    void show(int, bool, int) override {}
    void off() override {}
};

class NullFiles final : public FileService {
public:
    int open(const char*, int) override { return -1; }
    long long read(int, void*, long long) override { return -1; }
    long long write(int, const void*, long long) override { return -1; }
    long long seek(int, long long, int) override { return -1; }
    int truncate(int, long long) override { return -1; }
    int close(int) override { return -1; }
    int remove(const char*) override { return -1; }
    int rename(const char*, const char*) override { return -1; }
    long long file_size(const char*) override { return -1; }
    std::vector<RamDiskEntry> list() override { return {}; }
};

inline NullDisplay null_display;
inline NullKeys null_keys;
inline NullClock null_clock;
inline NullSound null_sound;
inline NullLeds null_leds;
inline NullFiles null_files;

inline Terminal installed{&null_display, &null_keys, &null_clock, &null_sound, &null_leds, &null_files};

} // namespace services_detail

// Installs the terminal for the next run; null members get the null services.
inline void services_install(const Terminal& t) {
    using namespace services_detail;
    installed.display = t.display ? t.display : &null_display;
    installed.keys = t.keys ? t.keys : &null_keys;
    installed.clock = t.clock ? t.clock : &null_clock;
    installed.sound = t.sound ? t.sound : &null_sound;
    installed.leds = t.leds ? t.leds : &null_leds;
    installed.files = t.files ? t.files : &null_files;
}

// Back to the null services (after a run, and between tests).
inline void services_uninstall() { services_install(Terminal{}); }

inline const Terminal& services() { return services_detail::installed; }

// RAII installation for tests and hosts.
class ScopedServices {
public:
    explicit ScopedServices(const Terminal& t) { services_install(t); }
    ~ScopedServices() { services_uninstall(); }
    ScopedServices(const ScopedServices&) = delete;
    ScopedServices& operator=(const ScopedServices&) = delete;
};

// ------------------------------------------------------- free functions
inline DisplayState& display_state() { return services().display->state(); }
inline void display_putc(int code) { services().display->putc(code); }
inline void display_refresh() { services().display->refresh(); }
inline void display_glyph(int code) { services().display->glyph(code); }
inline void display_set_font(int font) { services().display->set_font(font); }
inline void display_set_custom_font(const std::uint8_t* image, std::size_t size) {
    services().display->set_custom_font(image, size);
}
inline void display_line(int x0, int y0, int x1, int y1, int mode) {
    services().display->line(x0, y0, x1, y1, mode);
}
inline void display_image(int x, int y, ImageView image) { services().display->image(x, y, image); }
inline int display_save(const char* name) { return services().display->save(name); }
inline int display_restore(const char* name) { return services().display->restore(name); }

// Formats like printf, byte by byte without UTF-8 handling, writing every
// byte with display_putc; term_printf then refreshes. Both return 0.
#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
inline int term_printf_raw(const char* format, ...) {
    va_list args, copy;
    va_start(args, format);
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n > 0) {
        std::string text(static_cast<std::size_t>(n) + 1, '\0');
        std::vsnprintf(text.data(), text.size(), format, args);
        for (int i = 0; i < n; ++i) display_putc(static_cast<unsigned char>(text[i]));
    }
    va_end(args);
    return 0;
}

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
inline int term_printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (n > 0) {
        std::string text(static_cast<std::size_t>(n) + 1, '\0');
        va_start(args, format);
        std::vsnprintf(text.data(), text.size(), format, args);
        va_end(args);
        for (int i = 0; i < n; ++i) display_putc(static_cast<unsigned char>(text[i]));
    }
    display_refresh();
    return 0;
}

inline int term_clear() {
    display_putc(12);
    display_refresh();
    return 12;
}

inline int key_get() { return services().keys->get(); }
inline int key_get_timeout() { return services().keys->get_timeout(); }
template <class... Codes> int key_wait_for(int count, Codes... codes) {
    const int list[] = {0, static_cast<int>(codes)...};
    int n = count < static_cast<int>(sizeof...(Codes)) ? count : static_cast<int>(sizeof...(Codes));
    if (count < 1) return KEY_NONE;
    return services().keys->wait_for(list + 1, n);
}
inline void key_flush() { services().keys->flush(); }
inline void key_unget(int code) { services().keys->unget(code); }
inline int key_poll() { return services().keys->poll(); }
inline void wait_ms(int ms) { services().keys->wait_ms(ms); }
// Throws TerminalStop when the host has stopped the run: long work that
// never waits (an index rebuild) calls it now and then.
inline void stop_poll() { services().keys->wait_ms(0); }

inline void scanner_arm(int read_mode) { services().keys->scanner_arm(read_mode); }
inline int scanner_read(char* buffer, int max_length) { return services().keys->scanner_read(buffer, max_length); }
inline void scanner_disarm() { services().keys->scanner_disarm(); }

inline int busy_start(TickCallback callback) { return services().keys->busy_start(callback); }
inline int busy_stop(TickCallback callback) { return services().keys->busy_stop(callback); }

inline void clock_get_date(DateRecord& date) { services().clock->get_date(date); }
inline void clock_get_time(TimeRecord& time) { services().clock->get_time(time); }
inline int clock_set_date(const DateRecord& date) { return services().clock->set_date(date); }

// sound(steps, volume, tone1, ..., 0): the list ends at the first 0 and
// holds at most 10 codes.
template <class... Tones> void sound(int steps, int volume, Tones... tones) {
    const int list[] = {static_cast<int>(tones)..., 0};
    int count = 0;
    while (count < 10 && list[count] != 0) ++count;
    services().sound->sound(steps, volume, list, count);
}

inline void led_show(int colour, bool blink, int time_ms) { services().leds->show(colour, blink, time_ms); }
inline void led_off() { services().leds->off(); }

inline int file_open(const char* name, int mode) { return services().files->open(name, mode); }
inline long long file_read(int h, void* buffer, long long count) { return services().files->read(h, buffer, count); }
inline long long file_write(int h, const void* buffer, long long count) {
    return services().files->write(h, buffer, count);
}
inline long long file_seek(int h, long long offset, int from) { return services().files->seek(h, offset, from); }
inline int file_truncate(int h, long long size) { return services().files->truncate(h, size); }
inline int file_close(int h) { return services().files->close(h); }
inline int file_remove(const char* name) { return services().files->remove(name); }
inline int file_rename(const char* from, const char* to) { return services().files->rename(from, to); }
inline long long ramdisk_file_size(const char* name) { return services().files->file_size(name); }
inline std::vector<RamDiskEntry> ramdisk_list() { return services().files->list(); }

} // namespace formwick
