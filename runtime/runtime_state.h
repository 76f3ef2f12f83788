// The runtime's globals read by its presentation layer.
//
// The runtime is procedural code over plain state: when a run starts, the
// application logic points these at its copies of the application's
// settings (custom font, texts, start-up record, data files) and sets the
// three configured font types. Every pointer may be null: the presentation
// then falls back to its built-in texts and fonts. Only the runtime thread
// touches this state.
#pragma once

#include "model/data_file.h"
#include "model/language.h"
#include "model/startup.h"

#include <cstddef>
#include <cstdint>

namespace formwick {

// Runtime font types.
inline constexpr int kFontLarge = 0;  // built-in font 3, 8 x 16
inline constexpr int kFontSmall = 1;  // built-in font 2, 6 x 12
inline constexpr int kFontCustom = 2; // the application's custom font

struct RuntimeGlobals {
    // The application's custom font image; null or empty when it has none.
    const std::uint8_t* customFont = nullptr;
    std::size_t customFontSize = 0;

    int fontType = kFontLarge; // the runtime font type selected last
    int displayFont = 3;       // the font on the display: built-in 0..4, or -1 for the custom font
    bool wideText = false;     // a wide custom font is selected: map through the Latin table

    int menuFontType = kFontLarge;    // menus and titles
    int boxFontType = kFontLarge;     // message boxes (title and bottom bar)
    int messageFontType = kFontSmall; // message texts

    const CParamLanguage* language = nullptr; // translated texts, or null
    const CParamStartup* startup = nullptr;   // start-up settings, or null
    const CParamData* dataFiles = nullptr;    // the three data files, or null

    int readMode = 0;              // barcode read mode: 0 Single, 1 Multiple, 2 Trigger
    int batteryMillivolts = 3285;  // what the PC reports as the battery voltage
};

inline RuntimeGlobals rt_state;

// Back to a state with no application settings (between runs and tests).
inline void rt_state_reset() { rt_state = RuntimeGlobals{}; }

} // namespace formwick
