// Input classes of the input editor: bit flags for what a field accepts,
// and the editor's drawing flags.
#pragma once

#include <string>

namespace formwick {

inline constexpr int INPUT_DIGITS = 1;      // Integer
inline constexpr int INPUT_REAL1 = 2;       // Real with one decimal
inline constexpr int INPUT_REAL2 = 4;       // Real with two decimals
inline constexpr int INPUT_LETTERS = 8;     // letters and space ("Aplha"); with 1: AlphaNum
inline constexpr int INPUT_BOOLEAN = 16;    // the characters 0 and 1
inline constexpr int INPUT_PRINTABLE = 32;  // Text
inline constexpr int INPUT_MINUS = 64;      // a leading minus is allowed
inline constexpr int INPUT_CLASS_MASK = 0x7F;

inline constexpr int EDIT_INPUT_MARK = 256; // fill the rest of the field with the input mark
inline constexpr int EDIT_INITIAL = 512;    // the buffer holds an initial value; the first key replaces it
inline constexpr int EDIT_MASKED = 1024;    // show one asterisk per character

inline bool input_is_real(int cls) { return (cls & (INPUT_REAL1 | INPUT_REAL2)) != 0; }
inline bool input_is_integer(int cls) { return (cls & ~INPUT_MINUS & INPUT_CLASS_MASK) == INPUT_DIGITS; }
// Decimals of a Real class: 1 or 2 (0 for other classes).
inline int input_decimals(int cls) { return (cls & INPUT_REAL2) ? 2 : (cls & INPUT_REAL1) ? 1 : 0; }

// Whether a typed character fits the class (Real is checked by the editor).
bool input_key_fits(int key, int cls);

// Whether a read barcode fits the class: every character of its kind, one
// character for Boolean, a lone leading minus only with INPUT_MINUS, and
// for Real at most one point with no more decimals than the class has.
bool input_barcode_fits(const std::string& code, int cls);

// Normalises an accepted or initial value: a Real gets a 0 before a leading
// point, a point when it has none and zeros up to its decimals (an empty
// value stays empty); an Integer loses surrounding white space and leading
// zeros, so zeros alone (or a lone minus) become empty. Other classes are
// left as they are.
std::string input_normalise(std::string text, int cls);

} // namespace formwick
