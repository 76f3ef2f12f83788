#include "widgets/themed_group_box.h"

namespace formwick {

CThemedGroupBox::CThemedGroupBox(const QString& title, QColor captionColour, QWidget* parent)
    : QGroupBox(title, parent), colour_(captionColour) {
    // Only the title is styled: the frame and the children keep the style's look.
    setStyleSheet(QStringLiteral("QGroupBox::title { color: %1; }")
                      .arg(colour_.name()));
}

} // namespace formwick
