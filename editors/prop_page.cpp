#include "editors/prop_page.h"

namespace formwick {

CPropPage::CPropPage(int dialogId, EditorContext& context, QWidget* parent)
    : QWidget(parent), dialogId_(dialogId), context_(context) {
    setObjectName(QString::number(dialogId));
}

} // namespace formwick
