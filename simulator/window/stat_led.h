// CStatLed: the terminal's LED, shaped by its mask colour. It draws the
// LED's picture and, while lit, fills its shape with the colour. The
// timers (switch-off, blink) run in the terminal host; this only shows.
#pragma once

#include "simulator/core/keys/key_list.h"
#include "simulator/core/led/led_state.h"
#include "simulator/window/terminal_skin.h"

#include <QImage>
#include <QWidget>

namespace formwick {

class CStatLed final : public QWidget {
    Q_OBJECT
public:
    explicit CStatLed(QWidget* parent);
    bool setup_from_skin(const KeyListEntry& entry, const TerminalSkin& skin);
    void show_view(const LedView& view);
    const LedView& view() const { return view_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRegion region_;
    QImage picture_;
    LedView view_;
};

} // namespace formwick
