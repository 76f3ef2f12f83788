// The key lists of both models.
#include "simulator/core/keys/key_list.h"
#include "simulator/core/keys/key_names.h"
#include "simulator/core/keys/typing_plan.h"

#include "runtime/services/keys.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>

namespace formwick::test {
namespace {

TEST(HostKeyList, TheModelsDifferOnlyInThePointKeyAndF4) {
    const auto ktm = key_list(TerminalModel::KTM3300);
    const auto r58 = key_list(TerminalModel::R58);
    EXPECT_EQ(ktm.size(), 25u);
    EXPECT_EQ(r58.size(), 24u);
    EXPECT_STREQ(find_key(ktm, '.')->letters, ". ,");
    EXPECT_STREQ(find_key(r58, '.')->letters, ". ");
    EXPECT_EQ(find_key(ktm, KEY_F4)->alphaCode, KEY_F8);
    EXPECT_EQ(find_key(r58, KEY_F4), nullptr);
    for (std::size_t i = 0; i + 1 < r58.size(); ++i) {
        if (r58[i].code == '.') continue;
        EXPECT_EQ(r58[i].code, ktm[i].code);
        EXPECT_EQ(r58[i].alphaCode, ktm[i].alphaCode);
    }
}

TEST(HostKeyList, MaskColoursAreDistinctAndKindsAsDrawn) {
    for (TerminalModel model : {TerminalModel::KTM3300, TerminalModel::R58}) {
        std::set<int> colours;
        int leds = 0, displays = 0, toggles = 0, menus = 0;
        for (const KeyListEntry& e : key_list(model)) {
            EXPECT_TRUE(colours.insert(e.colour.red << 16 | e.colour.green << 8 | e.colour.blue).second);
            leds += e.kind == KEY_KIND_LED;
            displays += e.kind == KEY_KIND_DISPLAY;
            toggles += e.kind == KEY_KIND_ALPHA_TOGGLE;
            menus += e.kind == KEY_KIND_MENU;
        }
        EXPECT_EQ(leds + displays + toggles + menus, 4) << model_name(model);
    }
    const KeyListEntry* one = find_key(key_list(TerminalModel::KTM3300), '1');
    EXPECT_EQ(std::strlen(one->letters), 17u);
    EXPECT_EQ(one->letters[5], '`');
    EXPECT_EQ(find_key(key_list(TerminalModel::KTM3300), KEY_ENTER)->colour.blue, 255);
}

TEST(HostKeyNames, NamesAndCodesRoundTrip) {
    const std::pair<const char*, int> cases[] = {
        {"enter", KEY_ENTER}, {"CLR", KEY_CLEAR}, {"clear", KEY_CLEAR}, {"Trigger", KEY_TRIGGER},
        {"BS", KEY_BS},       {"F4", KEY_F4},     {"POINT", '.'},       {"7", '7'},
    };
    for (auto [name, code] : cases) EXPECT_EQ(key_code_from_name(name), code) << name;
    EXPECT_FALSE(key_code_from_name("F5"));
    EXPECT_FALSE(key_code_from_name("12"));
    EXPECT_STREQ(key_name(KEY_CLEAR), "CLR");
}

TEST(HostTypingPlan, LettersByTapsDigitsAsKeys) {
    std::vector<TypingStep> steps;
    std::size_t bad = 0;
    ASSERT_TRUE(plan_typing("Cz 4.", key_list(TerminalModel::KTM3300), steps, bad));
    const std::vector<std::tuple<bool, int, int>> expected = {
        {true, '2', 6}, {true, '9', 4}, {true, '.', 2}, {false, '4', 1}, {false, '.', 1}};
    ASSERT_EQ(steps.size(), expected.size());
    for (std::size_t i = 0; i < steps.size(); ++i)
        EXPECT_EQ(std::make_tuple(steps[i].alpha, steps[i].code, steps[i].taps), expected[i]) << i;
    EXPECT_FALSE(plan_typing("ok\xC3\xA9", key_list(TerminalModel::KTM3300), steps, bad));
    EXPECT_EQ(bad, 2u);
    EXPECT_FALSE(plan_typing("a=b", key_list(TerminalModel::R58), steps, bad));
    EXPECT_EQ(bad, 1u);
}

} // namespace
} // namespace formwick::test
