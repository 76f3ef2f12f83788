// The simulated display on the face: placed over the mask's display area,
// its background colour read from the face, it paints the display's last
// frame with the cursor, enlarged with nearest-neighbour scaling so every
// pixel stays sharp at any zoom.
#pragma once

#include "simulator/core/display/stat_display.h"
#include "simulator/core/keys/key_list.h"
#include "simulator/window/terminal_skin.h"

#include <QImage>
#include <QWidget>

#include <cstdint>

namespace formwick {

class DisplayWidget final : public QWidget {
    Q_OBJECT
public:
    DisplayWidget(CStatDisplay& display, QWidget* parent);
    // Places the widget on the mask's display area and takes the background
    // colour from the face at (1, 1) of that area. False when the entry is
    // not the display or its colour is missing.
    bool setup_from_skin(const KeyListEntry& entry, const TerminalSkin& skin);
    // The frame painted last, as the screen shows it (128 x 128).
    const QImage& shown() const { return shown_; }
    std::uint64_t shown_frame() const { return shownFrame_; }

signals:
    // After a paint that showed a new frame.
    void framePainted(quint64 frame);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CStatDisplay& display_;
    QImage shown_;
    std::uint64_t shownFrame_ = 0;
};

} // namespace formwick
