// The Language page: translations of the runtime's own menu names, short
// strings and messages, the font of each group, and saving and loading the
// translations as a gettext PO file.
#pragma once

#include "editors/prop_page.h"
#include "model/language.h"

#include <array>

class QComboBox;

namespace formwick {

class CEditGrid;

enum LanguagePageId {
    kLanguageMenus = 1279,
    kLanguageStrings = 1290,
    kLanguageMessages = 1291,
    kLanguageMenuFont = 1292,
    kLanguageStringFont = 1293,
    kLanguageMessageFont = 1294,
    kLanguageSave = 1020,
    kLanguageLoad = 1021,
};

inline constexpr const char* kPoFileFilter = "PO Files (*.po)|*.po|All Files (*.*)|*.*||";

class CPropLanguage final : public CPropPage {
    Q_OBJECT
public:
    explicit CPropLanguage(EditorContext& context);

    void loadWorkingCopy(const CParameters& definition) override;
    void commit(CParameters& definition) const override;
    void activate() override;

private:
    // The working copy with every translated cell read back.
    CParamLanguage withCells() const;
    void showTranslations(const CParamLanguage& language, bool translated);
    void syncFontLists();
    void save();
    void load();

    CParamLanguage language_;
    std::array<CEditGrid*, 3> grids_{};
    std::array<QComboBox*, 3> fonts_{};
};

} // namespace formwick
