// The key lists of the two terminal models.
//
// Each list binds the coloured areas of the model's mask picture to the LED,
// the display and the keys. A key entry carries the code it sends, the code it
// sends in alpha mode (0 when it types multi-tap letters instead) and its
// letters. The lists are in mask order; the host builds its key table from the
// entries of kind KEY_KIND_KEY in that order.
#pragma once

#include <cstdint>
#include <span>

namespace formwick {

enum class TerminalModel { R58, KTM3300 };

enum KeyKind {
    KEY_KIND_END = 0,
    KEY_KIND_LED = 1,
    KEY_KIND_DISPLAY = 2,
    KEY_KIND_KEY = 3,
    KEY_KIND_ALPHA_TOGGLE = 4,
    KEY_KIND_MENU = 5,
};

struct MaskColour {
    std::uint8_t red = 0, green = 0, blue = 0;
};

struct KeyListEntry {
    MaskColour colour;
    int kind = KEY_KIND_END;
    int code = 0;
    int alphaCode = 0;            // 0: the key types `letters` in alpha mode
    const char* letters = nullptr; // multi-tap letters, or null
};

// The model's list without the closing entry of kind KEY_KIND_END.
std::span<const KeyListEntry> key_list(TerminalModel model);

// The entry of kind KEY_KIND_KEY that sends `code`, or null.
const KeyListEntry* find_key(std::span<const KeyListEntry> list, int code);

const char* model_name(TerminalModel model);

} // namespace formwick
