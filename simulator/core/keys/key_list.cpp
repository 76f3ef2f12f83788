#include "simulator/core/keys/key_list.h"

#include "runtime/services/keys.h"

namespace formwick {

namespace {

// Shared head of both lists: LED, display and the keys above the digit block.
#define FW_KEYS_HEAD                                                \
    {{255, 0, 0}, KEY_KIND_LED, 0, 0, nullptr},                     \
    {{0, 0, 0}, KEY_KIND_DISPLAY, 0, 0, nullptr},                   \
    {{0, 0, 255}, KEY_KIND_KEY, KEY_UP, KEY_UP_ALPHA, nullptr},     \
    {{0, 0, 230}, KEY_KIND_KEY, KEY_TRIGGER, KEY_TRIGGER, nullptr}, \
    {{0, 0, 205}, KEY_KIND_KEY, KEY_DOWN, KEY_DOWN_ALPHA, nullptr}, \
    {{255, 255, 0}, KEY_KIND_ALPHA_TOGGLE, KEY_ALPHA, KEY_ALPHA, nullptr}, \
    {{230, 230, 0}, KEY_KIND_KEY, KEY_BS, KEY_BS, nullptr},         \
    {{205, 205, 0}, KEY_KIND_KEY, KEY_CLEAR, KEY_CLEAR, nullptr},   \
    {{180, 180, 0}, KEY_KIND_MENU, KEY_MENU, KEY_MENU, nullptr},    \
    {{0, 255, 0}, KEY_KIND_KEY, '1', 0, ".,?!@`-_():;&/%*#"},       \
    {{0, 230, 0}, KEY_KIND_KEY, '2', 0, "abcABC"},                  \
    {{0, 205, 0}, KEY_KIND_KEY, '3', 0, "defDEF"},                  \
    {{0, 180, 0}, KEY_KIND_KEY, '4', 0, "ghiGHI"},                  \
    {{0, 155, 0}, KEY_KIND_KEY, '5', 0, "jklJKL"},                  \
    {{0, 130, 0}, KEY_KIND_KEY, '6', 0, "mnoMNO"},                  \
    {{0, 105, 0}, KEY_KIND_KEY, '7', 0, "pqrsPQRS"},                \
    {{0, 80, 0}, KEY_KIND_KEY, '8', 0, "tuvTUV"},                   \
    {{0, 55, 0}, KEY_KIND_KEY, '9', 0, "wxyzWXYZ"},                 \
    {{0, 30, 0}, KEY_KIND_KEY, '0', 0, "-+"}

#define FW_KEYS_TAIL                                                \
    {{255, 0, 255}, KEY_KIND_KEY, KEY_ENTER, KEY_ENTER, nullptr},   \
    {{0, 255, 255}, KEY_KIND_KEY, KEY_F1, KEY_F5, nullptr},         \
    {{0, 230, 230}, KEY_KIND_KEY, KEY_F2, KEY_F6, nullptr},         \
    {{0, 205, 205}, KEY_KIND_KEY, KEY_F3, KEY_F7, nullptr}

// The KTM3300's point key also types a comma; it has a fourth function key.
constexpr KeyListEntry kKtm3300[] = {
    FW_KEYS_HEAD,
    {{192, 0, 192}, KEY_KIND_KEY, '.', 0, ". ,"},
    FW_KEYS_TAIL,
    {{0, 180, 180}, KEY_KIND_KEY, KEY_F4, KEY_F8, nullptr},
};

// The R58's point key types point and space; the list ends after F3.
constexpr KeyListEntry kR58[] = {
    FW_KEYS_HEAD,
    {{192, 0, 192}, KEY_KIND_KEY, '.', 0, ". "},
    FW_KEYS_TAIL,
};

#undef FW_KEYS_HEAD
#undef FW_KEYS_TAIL

} // namespace

std::span<const KeyListEntry> key_list(TerminalModel model) {
    if (model == TerminalModel::R58) return kR58;
    return kKtm3300;
}

const KeyListEntry* find_key(std::span<const KeyListEntry> list, int code) {
    for (const KeyListEntry& entry : list)
        if (entry.kind == KEY_KIND_KEY && entry.code == code) return &entry;
    return nullptr;
}

const char* model_name(TerminalModel model) { return model == TerminalModel::R58 ? "R58" : "KTM3300"; }

} // namespace formwick
