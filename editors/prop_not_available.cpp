#include "editors/prop_not_available.h"

#include <QLabel>
#include <QVBoxLayout>

namespace formwick {

CPropNotAvailable::CPropNotAvailable(int dialogId, const QString& caption, EditorContext& context)
    : CPropPage(dialogId, context) {
    auto* text = new QLabel(
        QStringLiteral("The \"%1\" settings cannot be edited here yet.\n"
                       "They are kept as they are in the application.")
            .arg(caption),
        this);
    text->setObjectName(QStringLiteral("notAvailable"));
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
}

} // namespace formwick
