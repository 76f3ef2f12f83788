// A push button with an icon before its text; used for buttons that show a
// short display name (the chosen field reference) and open a chooser.
#pragma once

#include <QPushButton>

namespace formwick {

class CIconButton : public QPushButton {
    Q_OBJECT
public:
    CIconButton(const QIcon& icon, const QString& text, QWidget* parent = nullptr);
};

} // namespace formwick
