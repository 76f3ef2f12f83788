// The runtime's message box: a reverse title by kind, the message word
// wrapped below it, a bottom bar with the answer keys, sound and LED by
// kind. The covered screen is saved to "~~DISP~.TMP" and put back after.
#pragma once

#include <string>

namespace formwick {

// Style: the high nibble the kind, the low nibble the answer.
inline constexpr int MSG_INFORMATION = 0x00; // no sound, green LED
inline constexpr int MSG_WARNING = 0x10;     // three 1000 Hz beeps, orange LED
inline constexpr int MSG_ERROR = 0x20;       // three loud 400 Hz beeps, red LED
inline constexpr int MSG_YES_NO = 0x01;      // up is "Yes", down is "No"

// Shows the box and waits for the answer: 1 for yes, 0 for no or for a
// box that takes any key.
int rt_message(const char* text, int style);

// Rows a message text needs at `columns` characters a row; the box shows
// 128 / glyph height - 4 of them.
int rt_wrapped_rows(const char* text, int columns);
// The box rt_message shows while it waits for the answer, for tools that
// look at a running terminal (key-script expectations): `style` is -1 when
// no box shows.
struct RtShownMessage {
    std::string text;
    int style = -1;
};
const RtShownMessage& rt_shown_message();

// The sound of a refused key: 100 ms of 400 Hz, loud.
void rt_error_beep();

} // namespace formwick
