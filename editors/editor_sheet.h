// The editor sheet: the tree property sheet with the eleven pages, working
// on one definition.
//
// The Startup page is shown first. A page loads its working copy the first
// time it is shown. OK asks the shown page to agree to be left, then
// commits every page that was ever shown, in sheet order; pages never shown
// leave their part of the definition as it was. Cancel, Escape and the
// close box change nothing.
#pragma once

#include "editors/editor_context.h"
#include "editors/prop_page.h"
#include "widgets/tree_property_sheet.h"

#include <vector>

namespace formwick {

class CDialogs;
struct CParameters;

inline constexpr const char* kEditorSheetCaption = "Formwick Application Generator for R58 / KTM3300";
inline constexpr const char* kEmptyNodeMessage = "Please select a child item of '%s'.";

class CEditorSheet : public CTreePropertySheet {
    Q_OBJECT
public:
    CEditorSheet(CParameters& definition, CDialogs& dialogs, QWidget* parent = nullptr);

    // The page with this dialog id, or null.
    CPropPage* pageById(int dialogId) const;
    CPropPage* propPage(int index) const { return pages_[index]; }
    // Shows the page with this dialog id; false when the shown page refused.
    bool showPage(int dialogId);
    bool wasShown(int index) const { return loaded_[index]; }
    EditorContext& context() { return context_; }

private:
    void pageShown(int index);
    bool commitAll();

    CParameters& definition_;
    EditorContext context_;
    std::vector<CPropPage*> pages_;
    std::vector<bool> loaded_;
};

// Opens the sheet modally on `definition`; true when it was closed with OK
// (the definition then holds the committed pages).
bool edit_definition(CParameters& definition, CDialogs& dialogs, QWidget* parent = nullptr);

} // namespace formwick
