// CStatButton: one simulated key, shaped and placed by its mask colour.
//
// A key acts on button down: it becomes pressed (the toggle key flips
// instead), shows its pressed picture while held and tells the window
// through keyNotified(index, kind, code). While the button is held the key
// follows the pointer in and out of its shape; on release it comes up
// (the toggle key stays as it is).
#pragma once

#include "simulator/core/keys/key_list.h"
#include "simulator/window/terminal_skin.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

namespace formwick {

class CStatButton final : public QWidget {
    Q_OBJECT
public:
    explicit CStatButton(QWidget* parent);

    // Takes shape, place and pictures from the skin; false (and the key
    // stays hidden) when its colour does not occur in the mask.
    bool setup_from_skin(int index, const KeyListEntry& entry, const TerminalSkin& skin);

    int index() const { return index_; }
    int kind() const { return kind_; }
    int code() const { return code_; }
    bool pressed() const { return pressed_; }
    // Shows the key pressed or up without notifying (keyboard echo, a new
    // model's toggle key).
    void set_pressed(bool pressed);
    // Presses the key as a click does, with the notification.
    void press();

signals:
    void keyNotified(int index, int kind, int code);
    void released(int index, int kind, int code);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void end_capture();

    int index_ = -1;
    int kind_ = KEY_KIND_KEY;
    int code_ = 0;
    bool pressed_ = false;
    bool captured_ = false;
    QRegion region_; // own coordinates
    QImage up_, down_;
};

} // namespace formwick
