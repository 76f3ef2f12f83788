// The page shown for a part of the definition whose editor is not built
// yet: it says so, edits nothing and commits nothing.
#pragma once

#include "editors/prop_page.h"

namespace formwick {

class CPropNotAvailable final : public CPropPage {
    Q_OBJECT
public:
    CPropNotAvailable(int dialogId, const QString& caption, EditorContext& context);

    void loadWorkingCopy(const CParameters&) override {}
    void commit(CParameters&) const override {}
};

} // namespace formwick
