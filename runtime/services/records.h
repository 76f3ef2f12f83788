// Plain records exchanged between the runtime and the terminal.
#pragma once

#include <cstddef>
#include <cstdint>

namespace formwick {

inline constexpr int kScreenWidth = 128;
inline constexpr int kScreenHeight = 128;

// The display state the runtime reads and writes directly. Drawing services
// keep glyph size, columns, rows and the wide-font flag up to date; the
// runtime sets the cursor, the cursor mode, the text y offset and reverse.
struct DisplayState {
    int cursorColumn = 0;
    int cursorRow = 0;
    int cursorMode = 0;  // 0 none, 1 underline under the cursor cell
    int textYOffset = 0; // pixels added to every glyph row and to the cursor line
    bool reverse = false;
    bool wideFont = false; // current font is a custom font indexed by code point
    int glyphWidth = 6;
    int glyphHeight = 12;
    int columns = 21; // 128 / glyphWidth
    int rows = 10;    // 128 / glyphHeight
};

// A monochrome image: byte 0 width, byte 1 height, then the rows, each
// (width + 7) / 8 bytes, most significant bit leftmost, a set bit dark.
// `size` is the number of bytes available; drawing never reads past it.
struct ImageView {
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
};

struct DateRecord {
    int year = 0;          // four digits
    std::uint8_t month = 0; // 1..12
    std::uint8_t day = 0;   // 1..31
};

struct TimeRecord {
    std::uint8_t hour = 0;
    std::uint8_t minute = 0;
    std::uint8_t second = 0;
};

// Tone codes of sound(): each plays for `steps` x 20 ms.
inline constexpr int TONE_400HZ = 100;
inline constexpr int TONE_600HZ = 1000;
inline constexpr int TONE_1000HZ = 2500;
inline constexpr int TONE_1500HZ = 3500;
inline constexpr int TONE_SILENCE = 1;
// Any other non-zero code repeats the previous step's frequency (1500 Hz first).

// LED colours of led_show().
inline constexpr int LED_WHITE = 0;
inline constexpr int LED_RED = 1;
inline constexpr int LED_GREEN = 2;
inline constexpr int LED_ORANGE = 3;

} // namespace formwick
