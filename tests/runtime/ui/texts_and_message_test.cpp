// Runtime texts with their translations, and the message box.
#include "runtime/text/font.h"
#include "runtime/text/rt_printf.h"
#include "runtime/ui/message.h"
#include "runtime/ui/texts.h"

#include "presentation_fixture.h"

namespace formwick {
namespace {

using TextsTest = UiTest;

TEST_F(TextsTest, BuiltInTextsByGroup) {
    EXPECT_STREQ(rt_text(TEXT_INPUT), "Input");
    EXPECT_STREQ(rt_text(TEXT_RECEIVE), "Receive");
    EXPECT_STREQ(rt_text(TEXT_ENTER_PASSWORD), "Enter password");
    EXPECT_STREQ(rt_text(MSG_DATA_FILE_OPEN), "Data file already open!");
    EXPECT_STREQ(rt_text(MSG_DATABASE_FORMAT), "Database has wrong format.");
    EXPECT_STREQ(rt_text(133), "Error");
    EXPECT_STREQ(rt_text(150), "Error");
    EXPECT_STREQ(rt_text(15), "");
}

TEST_F(TextsTest, TranslationsReplaceOnlyNonEmptySlotsWhenInUse) {
    CParamLanguage language;
    set_text_bytes(language.menuTexts[2], "Hilfsmittel");
    set_text_bytes(language.stringTexts[0], "Fehler");
    set_text_bytes(language.messageTexts[12], "Falscher Datentyp!");
    rt_state.language = &language;

    language.used = 0; // translations stored but not in use
    EXPECT_STREQ(rt_text(TEXT_UTILITIES), "Utilities");

    language.used = 1;
    EXPECT_STREQ(rt_text(TEXT_UTILITIES), "Hilfsmittel");
    EXPECT_STREQ(rt_text(TEXT_ERROR), "Fehler");
    EXPECT_STREQ(rt_text(MSG_WRONG_DATA_TYPE), "Falscher Datentyp!");
    EXPECT_STREQ(rt_text(200), "Fehler");
    EXPECT_STREQ(rt_text(TEXT_INPUT), "Input");           // empty slot falls back
    EXPECT_STREQ(rt_text(MSG_DATA_TOO_SHORT), "Data too short!");

    language.menuTexts[0].fill('x'); // no terminating zero: not trusted
    EXPECT_STREQ(rt_text(TEXT_INPUT), "Input");
}

using MessageTest = UiTest;

TEST_F(MessageTest, YesNoBoxTakesOnlyTheFourAnswerKeys) {
    struct Case {
        std::vector<int> keys;
        int answer;
        std::size_t keys_taken;
    };
    const Case cases[] = {
        {{'1', KEY_ENTER, KEY_CLEAR, KEY_TRIGGER, KEY_F1, KEY_UP}, 1, 6},
        {{KEY_ENTER, KEY_DOWN, KEY_UP}, 0, 2},
        {{KEY_UP_ALPHA}, 1, 1},
        {{KEY_CLEAR, KEY_DOWN_ALPHA}, 0, 2},
    };
    for (const auto& c : cases) {
        t.keys.taken.clear();
        for (int k : c.keys) t.keys.push(k);
        EXPECT_EQ(rt_message("Sure?", MSG_WARNING | MSG_YES_NO), c.answer);
        EXPECT_EQ(t.keys.taken.size(), c.keys_taken);
        t.keys.script.clear();
    }
}

TEST_F(MessageTest, StyleChoosesTitleSoundAndLed) {
    struct Case {
        int style;
        const char* title;
        std::vector<testing::SoundCall> sounds;
        int led;
    };
    const std::vector<int> warning_tones{TONE_1000HZ, TONE_SILENCE, TONE_1000HZ, TONE_SILENCE, TONE_1000HZ};
    const std::vector<int> error_tones{TONE_400HZ, TONE_SILENCE, TONE_400HZ, TONE_SILENCE, TONE_400HZ};
    const Case cases[] = {
        {0, "Information", {}, LED_GREEN},
        {65, "Information", {}, LED_GREEN},
        {16, "Warning", {{5, 32, warning_tones}}, LED_ORANGE},
        {17, "Warning", {{5, 32, warning_tones}}, LED_ORANGE},
        {32, "Error", {{5, 127, error_tones}}, LED_RED},
        {33, "Error", {{5, 127, error_tones}}, LED_RED},
    };
    rt_state.boxFontType = kFontLarge;
    rt_state.messageFontType = kFontLarge;
    capture_before_each_key();
    for (const auto& c : cases) {
        t.sound.calls.clear();
        screens.clear();
        t.keys.push(KEY_DOWN);
        rt_message("Hello", c.style);
        ASSERT_EQ(t.sound.calls.size(), c.sounds.size()) << c.style;
        for (std::size_t i = 0; i < c.sounds.size(); ++i) {
            EXPECT_EQ(t.sound.calls[i].steps, c.sounds[i].steps);
            EXPECT_EQ(t.sound.calls[i].volume, c.sounds[i].volume);
            EXPECT_EQ(t.sound.calls[i].tones, c.sounds[i].tones);
        }
        EXPECT_EQ(t.leds.shows.back(), c.led);
        EXPECT_TRUE(t.leds.blink);
        EXPECT_GE(t.leds.time_ms, 3600 * 1000) << "the LED stays on while the box is shown";
        EXPECT_FALSE(t.leds.on) << "switched off after the answer";
        ASSERT_EQ(screens.size(), 1u);
        std::string first_row = screens[0].substr(0, screens[0].find('\n'));
        EXPECT_NE(first_row.find(c.title), std::string::npos) << first_row;
        const bool yes_no = (c.style & 15) == 1;
        const std::string bar = screens[0].substr(screens[0].rfind('\n') + 1);
        if (yes_no) {
            EXPECT_EQ(bar, "Yes           No");
        } else {
            EXPECT_EQ(bar, " Press any key");
        }
    }
}

TEST_F(MessageTest, OneLineMessageStaysOnRowTwo) {
    rt_state.boxFontType = kFontSmall;
    rt_state.messageFontType = kFontSmall; // 21 columns
    capture_before_each_key();
    t.keys.push(KEY_ENTER);
    rt_message("Wrong data type! 1234", MSG_INFORMATION); // exactly 21 characters
    const std::string expected = "     Information\n\nWrong data type! 1234\n\n\n\n\n\n\n    Press any key";
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0], expected);
}

TEST_F(MessageTest, WordsWrapLongWordsAreCutAndRowsAreLimited) {
    rt_state.boxFontType = kFontLarge;
    rt_state.messageFontType = kFontLarge; // 16 x 8: message rows 2..5
    capture_before_each_key();
    t.keys.push(KEY_ENTER);
    rt_message("Are you sure you want to delete ABCDEFGHIJKLMNOPQRST the data file(s)? and more", 0);
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0],
              "  Information\n"
              "\n"
              "Are you sure you\n"
              "want to delete\n"
              "ABCDEFGHIJKLMNOP\n"
              "QRST the data\n"
              "\n"
              " Press any key");
}

TEST_F(MessageTest, CoveredScreenFontAndOffsetComeBack) {
    rt_use_builtin_font(2);
    rt_state.fontType = kFontSmall;
    rt_printf("under the box");
    const std::string before = t.display.screen();
    display_state().textYOffset = 8;
    t.keys.push('x');
    EXPECT_EQ(rt_message("Hello", MSG_ERROR), 0);
    EXPECT_EQ(t.display.saves, std::vector<std::string>{"~~DISP~.TMP"});
    EXPECT_EQ(t.display.restores, std::vector<std::string>{"~~DISP~.TMP"});
    EXPECT_EQ(rt_state.displayFont, 2);
    EXPECT_EQ(rt_columns(), 21);
    EXPECT_EQ(display_state().textYOffset, 8);
    display_state().textYOffset = 0;
    EXPECT_EQ(t.display.screen(), before);
}

TEST_F(MessageTest, FailedSaveLeavesTheBoxOnScreen) {
    t.display.fail_save = true;
    t.keys.push('x');
    rt_message("Hello", MSG_WARNING);
    EXPECT_TRUE(t.display.restores.empty());
    EXPECT_NE(t.display.screen().find("Warning"), std::string::npos);
}

TEST_F(MessageTest, ErrorBeep) {
    rt_error_beep();
    ASSERT_EQ(t.sound.calls.size(), 1u);
    EXPECT_EQ(t.sound.count_like(5, 127, {TONE_400HZ}), 1);
}

} // namespace
} // namespace formwick
