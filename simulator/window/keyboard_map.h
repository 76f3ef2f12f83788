// How the PC keyboard drives the terminal.
//
//   0-9 .          the digit and point keys (multi-tap letters in alpha mode)
//   Enter          ENTER            Backspace   BS
//   Escape         CLEAR            Up / Down   UP / DOWN
//   F1..F4         F1..F4 (F4 on the KTM3300 only)
//   Space (held)   the scan trigger, held as long as the space bar
//   a-z, A-Z       the letter itself, for alpha fields
#pragma once

#include <QString>

namespace formwick {

struct KeyboardKey {
    int code = -1;       // the terminal's key code, -1 for none
    bool letter = false; // a letter typed directly, not a key of the face
};

KeyboardKey keyboard_key(int qt_key, const QString& text);

// The mapping above as the window's tooltip shows it.
QString keyboard_help();

} // namespace formwick
