// CTerminal: the key services, key presses with multi-tap, the scanner and
// the busy callbacks (see terminal_host.h).
#include "simulator/core/host/terminal_host.h"

#include <algorithm>
#include <cstring>

namespace formwick {

// ------------------------------------------------------- key presses
void CTerminal::key_press(int code) {
    if (code == KEY_MENU) return;
    if (code == KEY_ALPHA) {
        set_alpha_mode(!alpha_mode());
        return;
    }
    std::lock_guard lock(mutex_);
    if (!alpha_) {
        queue_.push_back(code);
        wake_if_due();
        return;
    }
    auto key = std::find_if(keyTable_.begin(), keyTable_.end(), [code](const KeyListEntry& e) { return e.code == code; });
    // A code that is not on this model's keypad goes through as it is.
    TapEffect effect = key != keyTable_.end() ? multiTap_.press(*key) : TapEffect{multiTap_.commit(), code, 0};
    apply_tap(effect);
}

void CTerminal::apply_tap(const TapEffect& effect) {
    if (effect.commit) queue_letter(effect.commit);
    if (effect.send) queue_.push_back(effect.send);
    if (effect.preview) {
        previewDue_ = true;
        draw_preview();
    }
    wake_if_due();
}

// The pending letter is drawn at the runtime's cursor, which the runtime
// moves by hand in its display state. So it is drawn only while the runtime
// is stopped in a wait: under the lock, the runtime can leave the wait (and
// take the next key, and draw its echo) only after the preview is on the
// screen. A tap made while the runtime is busy is drawn by the runtime's own
// thread when it next waits.
void CTerminal::draw_preview() {
    if (!previewDue_ || !wait_.active) return;
    previewDue_ = false;
    const int letter = multiTap_.pending();
    if (!letter || !preview_ || !display_) return;
    display_->glyph(letter);
    display_->refresh();
}

void CTerminal::set_alpha_mode(bool on) {
    std::lock_guard lock(mutex_);
    if (alpha_ == on) return;
    // A letter still pending goes out before keys of the other mode can.
    if (int letter = multiTap_.commit()) queue_letter(letter);
    alpha_ = on;
    wake_if_due();
}

bool CTerminal::alpha_mode() const {
    std::lock_guard lock(mutex_);
    return alpha_;
}

void CTerminal::set_preview(bool on) {
    std::lock_guard lock(mutex_);
    preview_ = on;
}

int CTerminal::pending_letter() const {
    std::lock_guard lock(mutex_);
    return multiTap_.pending();
}

void CTerminal::set_trigger_held(bool held) {
    std::lock_guard lock(mutex_);
    triggerHeld_ = held;
}

int CTerminal::last_key() const {
    std::lock_guard lock(mutex_);
    return lastKey_;
}

std::size_t CTerminal::queued_keys() const {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

// ------------------------------------------------------- key services
int CTerminal::get() {
    int code;
    {
        std::unique_lock lock(mutex_);
        throw_if_stopped();
        while ((code = queue_.pop()) == KEY_NONE) block(lock, Wait{false, true, false, HostClock::kNever});
        queue_.clear(); // keys pressed in a burst count once
        lastKey_ = code;
    }
    static constexpr int kClick[] = {TONE_1500HZ};
    beeper_.sound(3, 32, kClick, 1);
    return code;
}

int CTerminal::get_timeout() {
    {
        std::unique_lock lock(mutex_);
        throw_if_stopped();
        countdown_ = kTimeoutTicks;
        while (!queue_.available()) {
            if (countdown_ == 0) return KEY_NONE;
            block(lock, Wait{false, true, true, HostClock::kNever});
        }
    }
    return get();
}

int CTerminal::wait_for(const int* codes, int count) {
    if (count < 1 || !codes) return KEY_NONE;
    for (;;) {
        const int code = get();
        if (std::find(codes, codes + count, code) != codes + count) {
            flush();
            return code;
        }
    }
}

void CTerminal::flush() {
    std::lock_guard lock(mutex_);
    queue_.clear();
}

void CTerminal::unget(int code) {
    std::lock_guard lock(mutex_);
    queue_.push_front(code);
    wake_if_due();
}

int CTerminal::poll() {
    std::lock_guard lock(mutex_);
    return queue_.pop();
}

void CTerminal::wait_ms(int ms) {
    std::unique_lock lock(mutex_);
    throw_if_stopped();
    if (ms <= 0) return;
    const HostClock::Millis deadline = clock_.now() + ms;
    // Between the runtime's arming and disarming of the scanner this is the
    // barcode dialog polling for a scan or a key, a wait for input (also
    // after the scanner disarmed itself on a refused read: the trigger arms
    // it again); otherwise it is a pause.
    while (!queue_.available() && clock_.now() < deadline)
        block(lock, Wait{false, true, false, deadline, barcodeDialog_, barcodeDialog_});
}

// ------------------------------------------------------------ scanner
void CTerminal::scanner_arm(int read_mode) {
    std::lock_guard lock(mutex_);
    scanner_.arm(read_mode);
    barcodeDialog_ = true;
}

void CTerminal::scanner_disarm() {
    std::lock_guard lock(mutex_);
    scanner_.disarm();
    barcodeDialog_ = false;
}

// `buffer` holds max_length bytes and the terminating zero.
int CTerminal::scanner_read(char* buffer, int max_length) {
    BarcodeEntry* entry;
    {
        std::lock_guard lock(mutex_);
        if (!scanner_.armed || !triggerHeld_ || !buffer || max_length < 1) return -1;
        queue_.pop(); // the trigger press that started the read
        entry = barcodes_;
    }
    std::optional<std::string> text;
    if (entry) text = entry->read_barcode(max_length);
    std::lock_guard lock(mutex_);
    if (!text || text->empty() || text->size() > static_cast<std::size_t>(max_length)) {
        scanner_.disarm();
        return -1;
    }
    std::memcpy(buffer, text->data(), text->size());
    buffer[text->size()] = '\0';
    scanner_.after_good_read();
    return 0;
}

// ------------------------------------------------------- busy callbacks
int CTerminal::busy_start(TickCallback callback) { return callback ? slots_.install(callback) : -1; }

int CTerminal::busy_stop(TickCallback callback) { return slots_.remove(callback); }

} // namespace formwick
