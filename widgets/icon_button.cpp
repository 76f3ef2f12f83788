#include "widgets/icon_button.h"

namespace formwick {

CIconButton::CIconButton(const QIcon& icon, const QString& text, QWidget* parent)
    : QPushButton(icon, text, parent) {
    // Left-aligned so the icon and name stay together in a wide button.
    setStyleSheet(QStringLiteral("text-align: left; padding: 2px 6px;"));
}

} // namespace formwick
