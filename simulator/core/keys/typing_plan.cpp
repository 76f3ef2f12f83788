#include "simulator/core/keys/typing_plan.h"

#include <cstring>

namespace formwick {

bool plan_typing(std::string_view text, std::span<const KeyListEntry> keys, std::vector<TypingStep>& steps,
                 std::size_t& bad) {
    steps.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c >= '0' && c <= '9') || c == '.') {
            if (find_key(keys, c)) {
                steps.push_back({false, c, 1});
                continue;
            }
        }
        const KeyListEntry* found = nullptr;
        int taps = 0;
        for (const KeyListEntry& key : keys) {
            if (key.kind != KEY_KIND_KEY || key.alphaCode != 0 || !key.letters) continue;
            if (const char* at = c ? std::strchr(key.letters, c) : nullptr) {
                found = &key;
                taps = static_cast<int>(at - key.letters) + 1;
                break;
            }
        }
        if (!found) {
            bad = i;
            return false;
        }
        steps.push_back({true, found->code, taps});
    }
    return true;
}

} // namespace formwick
