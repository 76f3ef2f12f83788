// Forms: Form 1..8 of ten typed input lines each.
#pragma once

#include "model/fixed_text.h"

#include <array>
#include <cstdint>

namespace formwick {

enum FormLineType {
    kLineNil = 0,
    kLineText = 1,
    kLineInteger = 2,
    kLineReal = 3,
    kLineAlpha = 4,
    kLineAlphaNum = 5,
    kLineBoolean = 6,
    kLineLookup = 7,
    kLineCounter = 8,
    kLineFixed = 9,
    kLinePause = 10,
    kLineExtension = 11,
};

// The names the editors list, in code order ("Aplha" as the terminal spells it).
inline constexpr const char* kFormLineTypeNames[12] = {
    "Nil", "Text", "Integer", "Real", "Aplha", "AlphaNum",
    "Boolean", "Lookup", "Counter", "Fixed", "Pause", "Extension"};

inline constexpr const char* kAlignmentNames[5] = {
    "Left aligned padded with space", "Right aligned filled with space",
    "Left aligned padded with 0", "Right aligned filled with 0", "Variable size"};

struct CMoreProperties {
    int alignment = 0;   // see kAlignmentNames
    int initialKind = 0; // 0 None, 1 Value/Text, 2 Variable
    Text<41> initialText{}; // ANSI
    int initialVariable = 0;
    std::uint8_t addPrefix = 0;
    Text<41> prefix{}; // ANSI
    std::uint8_t addSuffix = 0;
    Text<41> suffix{}; // ANSI
    std::uint8_t showInputMark = 0;
    Text<5> inputMark{}; // UTF-8
    int decimalPlaces = 0; // 0 = 1 place, 1 = 2 places
    int matchDisplayField = 0;
    std::uint8_t allowNegative = 0;
    int counterDataFile = 0;
    std::uint8_t alwaysShowLine = 0;

    std::u16string initialTextText() const { return get_ansi(initialText); }
    void setInitialTextText(std::u16string_view t) { set_ansi(initialText, t); }
    std::u16string prefixText() const { return get_ansi(prefix); }
    void setPrefixText(std::u16string_view t) { set_ansi(prefix, t); }
    std::u16string suffixText() const { return get_ansi(suffix); }
    void setSuffixText(std::u16string_view t) { set_ansi(suffix, t); }
    std::u16string inputMarkText() const { return get_utf8(inputMark); }
    void setInputMarkText(std::u16string_view t) { set_utf8(inputMark, t); }
};

struct CFormLine {
    int dataType = kLineNil;
    Text<85> prompt{}; // UTF-8
    int inputSource = 2; // 0 Reader, 1 Keypad, 2 Both
    int minimum = 0;
    int maximum = 40;
    int variable = 0;
    int lookupSource = 0; // 0 Nil, 1..3 Lookup 1..3, 4..6 Data 1..3
    CMoreProperties more;

    std::u16string promptText() const { return get_utf8(prompt); }
    void setPromptText(std::u16string_view t) { set_utf8(prompt, t); }
};

inline constexpr int kFormLineCount = 10;

struct CParamForm {
    int font = 0;
    int clrTarget = 0;
    int nextTarget = 0; // after a reset Form n has n
    std::array<CFormLine, kFormLineCount> lines{};
    int saveOnNext = 0;
    int saveDataFile = 0;
};

} // namespace formwick
