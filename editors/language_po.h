// The Language page's translations as a gettext PO file: one entry per
// runtime text, msgctxt "menu", "string" or "message", msgid the runtime's
// own text, msgstr the translation (empty when not translated).
#pragma once

#include "model/language.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace formwick {

enum LanguageGroupIndex { kGroupMenus, kGroupStrings, kGroupMessages };

// The runtime's own texts of one group, in slot order.
struct LanguageGroup {
    const char* context;
    std::span<const char* const> originals;
};
LanguageGroup language_group(int group);

// The translation of slot `slot` of `group` (UTF-8 bytes) and its store,
// cut as the model cuts (84 bytes for menus and strings, 504 for messages).
std::string translation(const CParamLanguage& language, int group, int slot);
void set_translation(CParamLanguage& language, int group, int slot, std::string_view utf8);

// Every offered slot, translated or not.
std::string language_to_po(const CParamLanguage& language);

// Applies the entries of a PO file to `language`. Entries whose context and
// text are not runtime texts are listed in `unknown` ("context: text") and
// change nothing; fuzzy entries are skipped. On a damaged file returns
// false with the reason in `error` and changes nothing.
bool apply_po(std::string_view text, CParamLanguage& language, std::vector<std::string>& unknown,
              std::string& error);

} // namespace formwick
