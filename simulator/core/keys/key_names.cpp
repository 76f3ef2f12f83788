#include "simulator/core/keys/key_names.h"

#include "runtime/services/keys.h"

#include <cctype>

namespace formwick {

namespace {

struct KeyName {
    const char* name;
    int code;
};

// The first name of a code is the one key_name gives back.
constexpr KeyName kNames[] = {
    {"ENTER", KEY_ENTER}, {"CLR", KEY_CLEAR},   {"CLEAR", KEY_CLEAR}, {"UP", KEY_UP},
    {"DOWN", KEY_DOWN},   {"TRIGGER", KEY_TRIGGER}, {"BS", KEY_BS},   {"F1", KEY_F1},
    {"F2", KEY_F2},       {"F3", KEY_F3},       {"F4", KEY_F4},       {"ALPHA", KEY_ALPHA},
    {"MENU", KEY_MENU},   {"POINT", '.'},       {".", '.'},           {"0", '0'},
    {"1", '1'},           {"2", '2'},           {"3", '3'},           {"4", '4'},
    {"5", '5'},           {"6", '6'},           {"7", '7'},           {"8", '8'},
    {"9", '9'},
};

bool same_name(std::string_view a, const char* b) {
    std::string_view bv(b);
    if (a.size() != bv.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != bv[i]) return false;
    return true;
}

} // namespace

std::optional<int> key_code_from_name(std::string_view name) {
    for (const KeyName& k : kNames)
        if (same_name(name, k.name)) return k.code;
    return std::nullopt;
}

const char* key_name(int code) {
    for (const KeyName& k : kNames)
        if (k.code == code) return k.name;
    return nullptr;
}

} // namespace formwick
