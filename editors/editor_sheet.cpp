#include "editors/editor_sheet.h"

#include "editors/editor_pages.h"
#include "model/parameters.h"

namespace formwick {

CEditorSheet::CEditorSheet(CParameters& definition, CDialogs& dialogs, QWidget* parent)
    : CTreePropertySheet(parent), definition_(definition), context_(dialogs) {
    setObjectName(QStringLiteral("editorSheet"));
    setWindowTitle(QString::fromUtf8(kEditorSheetCaption));
    setEmptyNodeMessage(QString::fromUtf8(kEmptyNodeMessage));
    setTreeWidth(200);
    // The font values start from the definition; the Startup page publishes
    // them again whenever it is left.
    context_.publishFont(definition_.startup);

    for (const PageEntry& entry : kEditorPages) {
        CPropPage* page = entry.make(context_);
        addPage(QString::fromUtf8(entry.captionPath), page);
        pages_.push_back(page);
    }
    loaded_.assign(pages_.size(), false);

    onShow = [this](int index) { pageShown(index); };
    onLeave = [this](int index) { return pages_[index]->deactivate(); };
    onAccept = [this] { return commitAll(); };
    setActivePage(0);
}

CPropPage* CEditorSheet::pageById(int dialogId) const {
    for (CPropPage* page : pages_)
        if (page->dialogId() == dialogId) return page;
    return nullptr;
}

bool CEditorSheet::showPage(int dialogId) {
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (pages_[i]->dialogId() == dialogId) return setActivePage(static_cast<int>(i));
    return false;
}

void CEditorSheet::pageShown(int index) {
    if (!loaded_[index]) {
        pages_[index]->loadWorkingCopy(definition_);
        loaded_[index] = true;
    }
    pages_[index]->activate();
}

bool CEditorSheet::commitAll() {
    for (std::size_t i = 0; i < pages_.size(); ++i)
        if (loaded_[i]) pages_[i]->commit(definition_);
    return true;
}

bool edit_definition(CParameters& definition, CDialogs& dialogs, QWidget* parent) {
    CEditorSheet sheet(definition, dialogs, parent);
    return sheet.exec() == QDialog::Accepted;
}

} // namespace formwick
