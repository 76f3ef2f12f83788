// How to type a text on a model's keypad: digits and the point as plain key
// presses, every other character as taps on the key whose multi-tap letters
// hold it (the first such key in list order, e.g. "," on key 1).
#pragma once

#include "simulator/core/keys/key_list.h"

#include <string_view>
#include <vector>

namespace formwick {

struct TypingStep {
    bool alpha = false; // alpha mode needed for this step
    int code = 0;       // key to press
    int taps = 1;
};

// The steps for `text` (bytes), or false with `bad` set to the position of
// the first character that no key types.
bool plan_typing(std::string_view text, std::span<const KeyListEntry> keys, std::vector<TypingStep>& steps,
                 std::size_t& bad);

} // namespace formwick
