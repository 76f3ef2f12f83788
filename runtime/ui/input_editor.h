// The input editor: one field of a form or prompt, filled from the keypad,
// the barcode reader or both.
#pragma once

namespace formwick {

inline constexpr int SOURCE_READER = 0;
inline constexpr int SOURCE_KEYPAD = 1;
inline constexpr int SOURCE_BOTH = 2;

inline constexpr int EDIT_ACCEPTED_KEY = 1024;    // accepted with down or enter
inline constexpr int EDIT_ACCEPTED_READER = 2048; // accepted from a barcode

inline constexpr int kFieldMaxChars = 100;

// Edits `buffer` (at least maximum + 1 bytes, maximum capped at 100) in
// `width` columns from `start_column` on text row `line`. `flags` holds the
// input class and the EDIT_* flags (runtime/ui/input_class.h); `mark` is
// the input mark (its first character is used). Returns the ending key
// (KEY_UP, KEY_UP_ALPHA or KEY_CLEAR), EDIT_ACCEPTED_KEY or
// EDIT_ACCEPTED_READER; the buffer holds the text as it was left, normalised
// for its class when accepted.
int rt_edit_field(int width, int line, char* buffer, int minimum, int maximum, int source, int flags,
                  const char* mark, int start_column);

} // namespace formwick
