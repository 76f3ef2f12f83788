// The input editor: classes, key rules, barcode reads and drawing.
#include "runtime/text/font.h"
#include "runtime/ui/input_class.h"
#include "runtime/ui/input_editor.h"

#include "presentation_fixture.h"

#include <cstring>

namespace formwick {
namespace {

class EditorTest : public UiTest {
protected:
    EditorTest() { rt_select_font(kFontSmall); }

    // Runs the editor on row 1 from column 5 over the keys pushed so far.
    int edit(int flags, int minimum, int maximum, int source = SOURCE_KEYPAD, const char* initial = "",
             int width = 16, const char* mark = "_") {
        std::strcpy(buffer, initial);
        return rt_edit_field(width, 1, buffer, minimum, maximum, source, flags, mark, 5);
    }
    // Message boxes shown: each one lights the LED.
    std::size_t boxes() const { return t.leds.shows.size() - good_reads(); }
    std::size_t good_reads() const {
        std::size_t n = 0;
        for (const auto& c : t.sound.calls)
            if (c.tones == std::vector<int>{TONE_1500HZ, TONE_1000HZ, TONE_1500HZ}) ++n;
        return n;
    }
    std::string field() const { return t.display.row(1).substr(5); }
    // Types `text`; "!" stands for the key that dismisses a message box.
    void type(const char* text) {
        for (const char* p = text; *p; ++p) t.keys.push(*p == '!' ? kDismiss : static_cast<unsigned char>(*p));
    }
    static constexpr int kDismiss = KEY_F4;

    char buffer[kFieldMaxChars + 1] = {};
};

TEST(InputClassTest, Normalisation) {
    struct Case {
        int cls;
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {INPUT_REAL2, "5", "5.00"},        {INPUT_REAL2, ".5", "0.50"},
        {INPUT_REAL2 | INPUT_MINUS, "-.5", "-0.50"}, {INPUT_REAL2, "12.5", "12.50"},
        {INPUT_REAL1, "3", "3.0"},         {INPUT_REAL2, "", ""},
        {INPUT_DIGITS, "007", "7"},        {INPUT_DIGITS, "0", ""},
        {INPUT_DIGITS, " 42 ", "42"},      {INPUT_DIGITS | INPUT_MINUS, "-007", "-7"},
        {INPUT_DIGITS | INPUT_MINUS, "-0", ""},
        {INPUT_DIGITS | INPUT_LETTERS, "007", "007"}, // AlphaNum is no number
        {INPUT_PRINTABLE, " 007 ", " 007 "},
    };
    for (const auto& c : cases) EXPECT_EQ(input_normalise(c.in, c.cls), c.out) << c.cls << " '" << c.in << "'";
}

TEST(InputClassTest, BarcodeFitsItsClass) {
    struct Case {
        int cls;
        const char* code;
        bool fits;
    };
    const Case cases[] = {
        {INPUT_DIGITS, "0123", true},      {INPUT_DIGITS, "12a", false},
        {INPUT_DIGITS, "-12", false},      {INPUT_DIGITS | INPUT_MINUS, "-12", true},
        {INPUT_REAL2, "12.34", true},      {INPUT_REAL2, "1.2.3", false},
        {INPUT_REAL2, "1.234", false},     {INPUT_REAL1, "7", true},
        {INPUT_LETTERS, "ab C", true},     {INPUT_LETTERS, "ab1", false},
        {INPUT_LETTERS | INPUT_DIGITS, "ab 1", true},
        {INPUT_BOOLEAN, "1", true},        {INPUT_BOOLEAN, "01", false},
        {INPUT_BOOLEAN, "2", false},       {INPUT_PRINTABLE, "A-1 \xC3\xA9", true},
        {INPUT_PRINTABLE, "a\tb", false},  {INPUT_DIGITS, "", false},
    };
    for (const auto& c : cases) EXPECT_EQ(input_barcode_fits(c.code, c.cls), c.fits) << c.cls << " " << c.code;
}

TEST_F(EditorTest, BooleanTakesOneCharacterZeroOrOne) {
    t.keys.push({'0', '1', '2', kDismiss, KEY_ENTER});
    EXPECT_EQ(edit(INPUT_BOOLEAN, 1, 1), EDIT_ACCEPTED_KEY);
    EXPECT_STREQ(buffer, "1"); // the second character replaced the first
    EXPECT_EQ(boxes(), 1u);    // "2" is the wrong type
}

TEST_F(EditorTest, EmptyBooleanIsTooShort) {
    capture_before_each_key();
    t.keys.push({KEY_ENTER, KEY_ENTER, '1', KEY_ENTER});
    EXPECT_EQ(edit(INPUT_BOOLEAN, 1, 1), EDIT_ACCEPTED_KEY);
    EXPECT_STREQ(buffer, "1");
    bool shown = false;
    for (const auto& s : screens) shown = shown || s.find("Data too short!") != std::string::npos;
    EXPECT_TRUE(shown);
}

TEST_F(EditorTest, RealKeyRules) {
    struct Case {
        const char* typed;
        int result_boxes;
        const char* value; // after accepting
    };
    // Two decimals, maximum 6.
    const Case cases[] = {
        {"123.45", 0, "123.45"},
        {"1234!", 1, "123.00"},    // the fourth digit before the point leaves no room
        {"123.456", 0, "123.46"}, // a third decimal replaces the last
        {"1.2.!", 1, "1.20"},      // a second point is refused
        {"5", 0, "5.00"},
        {".5", 0, "0.50"},
        {"12a!", 1, "12.00"},
    };
    for (const auto& c : cases) {
        std::size_t before = boxes();
        type(c.typed);
        t.keys.push(KEY_ENTER);
        EXPECT_EQ(edit(INPUT_REAL2 | INPUT_MINUS, 0, 6), EDIT_ACCEPTED_KEY) << c.typed;
        EXPECT_STREQ(buffer, c.value) << c.typed;
        EXPECT_EQ(boxes() - before, static_cast<std::size_t>(c.result_boxes)) << c.typed;
    }
}

TEST_F(EditorTest, MinusKeyRules) {
    struct Case {
        int cls;
        int maximum;
        const char* typed;
        const char* value;
    };
    const Case cases[] = {
        {INPUT_REAL2 | INPUT_MINUS, 6, "123.45-", "123.45"}, // no room for a minus
        {INPUT_REAL2 | INPUT_MINUS, 6, "-12.5", "-12.50"},   // a minus typed first stays
        {INPUT_REAL2 | INPUT_MINUS, 6, "-12.5-", "12.50"},   // the minus key removes it
        {INPUT_REAL2 | INPUT_MINUS, 6, "12-", "-12.00"},     // 2 < 6 - 2 - 1: put in front
        {INPUT_DIGITS | INPUT_MINUS, 3, "12-", "-12"},
        {INPUT_DIGITS | INPUT_MINUS, 3, "123-", "123"},
        {INPUT_PRINTABLE, 5, "a-b", "a-b"},                  // a plain character for Text
    };
    for (const auto& c : cases) {
        t.keys.type(c.typed);
        t.keys.push(KEY_ENTER);
        EXPECT_EQ(edit(c.cls, 0, c.maximum), EDIT_ACCEPTED_KEY) << c.typed;
        EXPECT_STREQ(buffer, c.value) << c.typed;
    }
    std::size_t before = boxes();
    t.keys.push({'-', kDismiss, KEY_ENTER});
    edit(INPUT_DIGITS, 0, 3); // no minus allowed: the wrong type
    EXPECT_EQ(boxes() - before, 1u);
    EXPECT_STREQ(buffer, "");
}

TEST_F(EditorTest, RealThatWouldOutgrowTheFieldIsRefused) {
    // A lone "-" would become "-0.00": longer than 4.
    t.keys.push({'-', KEY_ENTER, kDismiss, KEY_BS, '.', '5', KEY_ENTER});
    EXPECT_EQ(edit(INPUT_REAL2 | INPUT_MINUS, 0, 4), EDIT_ACCEPTED_KEY);
    EXPECT_STREQ(buffer, "0.50");
    EXPECT_EQ(boxes(), 1u);
    EXPECT_LE(std::strlen(buffer), 4u);
}

TEST_F(EditorTest, InitialValueIsReplacedByTheFirstKey) {
    struct Case {
        std::vector<int> keys;
        const char* value;
    };
    const Case cases[] = {
        {{'x', 'y'}, "xy"},
        {{KEY_BS, 'z'}, "z"},    // backspace deletes the whole initial text
        {{}, "abc"},             // accepted as it is
    };
    for (const auto& c : cases) {
        for (int k : c.keys) t.keys.push(k);
        t.keys.push(KEY_ENTER);
        EXPECT_EQ(edit(INPUT_PRINTABLE | EDIT_INITIAL, 0, 10, SOURCE_KEYPAD, "abc"), EDIT_ACCEPTED_KEY);
        EXPECT_STREQ(buffer, c.value);
    }
    t.keys.push({'-', '5', KEY_ENTER});
    edit(INPUT_DIGITS | INPUT_MINUS | EDIT_INITIAL, 0, 5, SOURCE_KEYPAD, "42");
    EXPECT_STREQ(buffer, "-5");
    // Without the flag the buffer starts empty.
    t.keys.push({'q', KEY_ENTER});
    edit(INPUT_PRINTABLE, 0, 10, SOURCE_KEYPAD, "abc");
    EXPECT_STREQ(buffer, "q");
}

TEST_F(EditorTest, BackspaceAndMaximum) {
    t.keys.type("abcd");
    t.keys.push({KEY_BS, 'e', KEY_ENTER});
    edit(INPUT_PRINTABLE, 0, 3);
    EXPECT_STREQ(buffer, "abe"); // "d" replaced "c", backspace took "d", "e" appended
}

TEST_F(EditorTest, LeavingKeys) {
    t.keys.push({'1', KEY_UP});
    EXPECT_EQ(edit(INPUT_DIGITS, 0, 5), KEY_UP);
    t.keys.push({KEY_UP_ALPHA});
    EXPECT_EQ(edit(INPUT_DIGITS, 0, 5), KEY_UP_ALPHA);
    int flushes = t.keys.flushes;
    t.keys.push({'1', KEY_CLEAR});
    EXPECT_EQ(edit(INPUT_DIGITS, 0, 5), KEY_CLEAR);
    EXPECT_GT(t.keys.flushes, flushes);
    EXPECT_EQ(display_state().cursorMode, 0);
}

TEST_F(EditorTest, FieldDrawingAndCursor) {
    struct Case {
        int flags;
        int width, maximum;
        std::vector<int> keys;
        const char* shown; // the field's columns
        int cursor;        // column of the cursor, relative to the field
    };
    const Case cases[] = {
        {INPUT_PRINTABLE, 6, 10, {'a', 'b'}, "ab    ", 2},
        {INPUT_PRINTABLE | EDIT_INPUT_MARK, 6, 10, {'a', 'b'}, "ab____", 2},
        {INPUT_PRINTABLE | EDIT_MASKED, 6, 10, {'a', 'b'}, "**    ", 2},
        {INPUT_PRINTABLE, 3, 5, {'a', 'b', 'c', 'd', 'e'}, "cde", 2}, // last characters, cursor on the last
        {INPUT_PRINTABLE, 6, 3, {'a', 'b', 'c'}, "abc", 2},           // width cut to the maximum
        {INPUT_REAL2, 8, 8, {'1', '.', '2', '5'}, "1.25    ", 3},     // all decimals: on the last
        {INPUT_REAL2, 8, 8, {'1', '.', '2'}, "1.2     ", 3},
    };
    for (const auto& c : cases) {
        std::string shown;
        int cursor = -1, mode = -1;
        std::size_t seen = 0;
        t.keys.before_key = [&] {
            if (seen++ == c.keys.size()) {
                shown = t.display.row(1).substr(5, static_cast<std::size_t>(std::min(c.width, c.maximum)));
                cursor = display_state().cursorColumn - 5;
                mode = display_state().cursorMode;
            }
        };
        for (int k : c.keys) t.keys.push(k);
        t.keys.push(KEY_CLEAR);
        edit(c.flags, 0, c.maximum, SOURCE_KEYPAD, "", c.width);
        EXPECT_EQ(shown, c.shown) << c.shown;
        EXPECT_EQ(cursor, c.cursor) << c.shown;
        EXPECT_EQ(mode, 1);
    }
}

TEST_F(EditorTest, ReplaceModeCursorStandsAtTheStart) {
    int cursor = -1;
    t.keys.before_key = [&] { cursor = display_state().cursorColumn; };
    t.keys.push(KEY_CLEAR);
    edit(INPUT_PRINTABLE | EDIT_INITIAL, 0, 10, SOURCE_KEYPAD, "abc");
    EXPECT_EQ(cursor, 5);
    EXPECT_EQ(field().substr(0, 4), "abc ");
}

TEST_F(EditorTest, BarcodeReadsAreCheckedAndNormalised) {
    rt_state.readMode = 1;
    t.keys.barcode("1a");
    t.keys.push(kDismiss);
    t.keys.barcode("007");
    EXPECT_EQ(edit(INPUT_DIGITS, 0, 5, SOURCE_BOTH), EDIT_ACCEPTED_READER);
    EXPECT_STREQ(buffer, "7");
    EXPECT_EQ(boxes(), 1u);      // "Wrong data type!" for "1a"
    EXPECT_EQ(good_reads(), 1u); // one good-read sound
    EXPECT_EQ(t.leds.colour, LED_GREEN);
    EXPECT_EQ(t.leds.time_ms, 200);
    EXPECT_FALSE(t.keys.armed);
    EXPECT_EQ(t.keys.arm_modes.front(), 1);
}

TEST_F(EditorTest, RealBarcodeMustFitTheFieldOnceNormalised) {
    t.keys.barcode("12345"); // 12345.00 is longer than 6
    t.keys.push(kDismiss);
    t.keys.barcode("12.5");
    EXPECT_EQ(edit(INPUT_REAL2, 0, 6, SOURCE_READER), EDIT_ACCEPTED_READER);
    EXPECT_STREQ(buffer, "12.50");
    EXPECT_EQ(boxes(), 1u);
}

TEST_F(EditorTest, KeyDuringReadGoesToTheKeypadAndTriggerRestartsTheRead) {
    t.keys.push({'4', '2', KEY_TRIGGER});
    t.keys.barcode("99");
    EXPECT_EQ(edit(INPUT_DIGITS, 0, 5, SOURCE_BOTH), EDIT_ACCEPTED_READER);
    EXPECT_STREQ(buffer, "99");
    EXPECT_EQ(t.keys.arm_modes.size(), 2u);

    t.keys.push({'4', KEY_ENTER});
    EXPECT_EQ(edit(INPUT_DIGITS, 0, 5, SOURCE_BOTH), EDIT_ACCEPTED_KEY);
    EXPECT_STREQ(buffer, "4");
}

TEST_F(EditorTest, ReaderOnlyRefusesKeysAndLeavesOnUpOrClear) {
    t.keys.push({'4', KEY_ENTER, KEY_UP});
    EXPECT_EQ(edit(INPUT_DIGITS, 0, 5, SOURCE_READER), KEY_UP);
    EXPECT_EQ(t.sound.count_like(5, 127, {TONE_400HZ}), 2);
    t.keys.push(KEY_CLEAR);
    EXPECT_EQ(edit(INPUT_DIGITS, 0, 5, SOURCE_READER), KEY_CLEAR);
}

TEST_F(EditorTest, KeypadOnlyTriggerOnlyRedraws) {
    t.keys.push({'1', KEY_TRIGGER, '2', KEY_ENTER});
    EXPECT_EQ(edit(INPUT_DIGITS, 0, 5, SOURCE_KEYPAD), EDIT_ACCEPTED_KEY);
    EXPECT_STREQ(buffer, "12");
    EXPECT_TRUE(t.keys.arm_modes.empty());
}

} // namespace
} // namespace formwick
