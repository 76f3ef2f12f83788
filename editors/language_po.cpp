#include "editors/language_po.h"

#include "editors/po_file.h"
#include "runtime/ui/texts.h"

namespace formwick {

LanguageGroup language_group(int group) {
    switch (group) {
    case kGroupMenus: return {"menu", rt_builtin_labels()};
    case kGroupStrings: return {"string", rt_builtin_box_words()};
    default: return {"message", rt_builtin_messages()};
    }
}

std::string translation(const CParamLanguage& language, int group, int slot) {
    const auto i = static_cast<std::size_t>(slot);
    switch (group) {
    case kGroupMenus: return std::string(text_bytes(language.menuTexts.at(i)));
    case kGroupStrings: return std::string(text_bytes(language.stringTexts.at(i)));
    default: return std::string(text_bytes(language.messageTexts.at(i)));
    }
}

void set_translation(CParamLanguage& language, int group, int slot, std::string_view utf8) {
    const auto i = static_cast<std::size_t>(slot);
    switch (group) {
    case kGroupMenus: set_text_utf8(language.menuTexts.at(i), utf8); break;
    case kGroupStrings: set_text_utf8(language.stringTexts.at(i), utf8); break;
    default: set_text_utf8(language.messageTexts.at(i), utf8); break;
    }
}

std::string language_to_po(const CParamLanguage& language) {
    std::vector<PoEntry> entries;
    for (int g = kGroupMenus; g <= kGroupMessages; ++g) {
        const LanguageGroup group = language_group(g);
        for (std::size_t i = 0; i < group.originals.size(); ++i)
            entries.push_back({group.context, group.originals[i], translation(language, g, int(i)), false, 0});
    }
    return write_po(entries);
}

bool apply_po(std::string_view text, CParamLanguage& language, std::vector<std::string>& unknown,
              std::string& error) {
    std::vector<PoEntry> entries;
    if (!parse_po(text, entries, error)) return false;
    unknown.clear();
    for (const PoEntry& entry : entries) {
        if (entry.fuzzy) continue;
        bool known = false;
        for (int g = kGroupMenus; g <= kGroupMessages && !known; ++g) {
            const LanguageGroup group = language_group(g);
            // Without a context the text alone decides.
            if (!entry.context.empty() && entry.context != group.context) continue;
            for (std::size_t i = 0; i < group.originals.size() && !known; ++i) {
                if (entry.id != group.originals[i]) continue;
                set_translation(language, g, int(i), entry.str);
                known = true;
            }
        }
        if (!known) unknown.push_back((entry.context.empty() ? std::string() : entry.context + ": ") + entry.id);
    }
    return true;
}

} // namespace formwick
