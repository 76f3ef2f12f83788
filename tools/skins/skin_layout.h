// Where each part of a terminal face sits: the outline, the display, the LED
// and every key with its shape and label. The face, the pressed face and the
// mask are all painted from this one layout, so they always agree.
#pragma once

#include "runtime/services/keys.h"
#include "simulator/core/keys/key_list.h"

#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

namespace formwick::skins {

enum class KeyStyle { digit, function, navigation, trigger, clear, enter, small };

struct KeyShape {
    int kind = KEY_KIND_KEY; // as in the key list
    int code = 0;
    QRect rect;
    bool round = false; // an ellipse in `rect`, else a rounded rectangle
    KeyStyle style = KeyStyle::digit;
    QString label;    // the big text ("2", "F1", "ENTER"); empty for drawn symbols
    QString letters;  // the small text under a digit ("abc")
};

struct SkinLayout {
    QSize size;
    QRect body;         // the outline: a rounded rectangle
    int bodyRadius = 0;
    QRect bezel;        // dark panel around the display
    QRect keypad;       // the rubber keypad panel
    QRect display;      // exactly 128 x 128
    QPoint led;         // centre
    int ledRadius = 0;
    QColor bodyColour;
    QColor lcdColour;   // the display's background, read back by the window
    std::vector<KeyShape> keys;
};

SkinLayout skin_layout(TerminalModel model);

} // namespace formwick::skins
