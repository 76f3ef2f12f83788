// A group box whose caption is drawn in a colour of its own, so groups
// of a dense dialog can be told apart at a glance.
#pragma once

#include <QColor>
#include <QGroupBox>

namespace formwick {

class CThemedGroupBox : public QGroupBox {
    Q_OBJECT
public:
    CThemedGroupBox(const QString& title, QColor captionColour, QWidget* parent = nullptr);
    QColor captionColour() const { return colour_; }

private:
    QColor colour_;
};

} // namespace formwick
