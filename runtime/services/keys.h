// Key codes as the runtime sees them.
#pragma once

namespace formwick {

// Digits and the point arrive as their character codes ('0'..'9', '.');
// letters and signs only come from alpha-mode multi-tap.
inline constexpr int KEY_TRIGGER = 128;
inline constexpr int KEY_UP = 129;
inline constexpr int KEY_DOWN = 130;
inline constexpr int KEY_ENTER = 131;
inline constexpr int KEY_CLEAR = 132;
inline constexpr int KEY_BS = 133;
inline constexpr int KEY_UP_ALPHA = 134;   // up while alpha mode is on; treated like KEY_UP
inline constexpr int KEY_DOWN_ALPHA = 135; // down while alpha mode is on; treated like KEY_DOWN
inline constexpr int KEY_F1 = 144;
inline constexpr int KEY_F2 = 145;
inline constexpr int KEY_F3 = 146;
inline constexpr int KEY_F4 = 147;
inline constexpr int KEY_F5 = 148; // F1..F4 while alpha mode is on
inline constexpr int KEY_F6 = 149;
inline constexpr int KEY_F7 = 150;
inline constexpr int KEY_F8 = 151;
inline constexpr int KEY_NONE = -1; // time-out

// Host-only identities: never delivered to the runtime.
inline constexpr int KEY_ALPHA = 136; // alpha-mode toggle
inline constexpr int KEY_MENU = 255;  // the simulator's own menu

} // namespace formwick
