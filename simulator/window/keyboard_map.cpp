#include "simulator/window/keyboard_map.h"

#include "runtime/services/keys.h"

#include <Qt>

namespace formwick {

KeyboardKey keyboard_key(int qt_key, const QString& text) {
    switch (qt_key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return {KEY_ENTER};
    case Qt::Key_Backspace: return {KEY_BS};
    case Qt::Key_Escape: return {KEY_CLEAR};
    case Qt::Key_Up: return {KEY_UP};
    case Qt::Key_Down: return {KEY_DOWN};
    case Qt::Key_F1: return {KEY_F1};
    case Qt::Key_F2: return {KEY_F2};
    case Qt::Key_F3: return {KEY_F3};
    case Qt::Key_F4: return {KEY_F4};
    case Qt::Key_Space: return {KEY_TRIGGER};
    case Qt::Key_Period: return {'.'};
    default: break;
    }
    if (qt_key >= Qt::Key_0 && qt_key <= Qt::Key_9) return {'0' + (qt_key - Qt::Key_0)};
    if (text.size() == 1) {
        const char16_t c = text.at(0).unicode();
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) return {static_cast<int>(c), true};
    }
    return {};
}

QString keyboard_help() {
    return QStringLiteral(
        "PC keyboard:\n"
        "0-9 and .\tdigit and point keys\n"
        "Enter\tENTER\n"
        "Backspace\tBS\n"
        "Escape\tCLEAR\n"
        "Up, Down\tUP, DOWN\n"
        "F1-F4\tF1-F4\n"
        "Space (held)\tscan trigger\n"
        "a-z, A-Z\tthe letter, in text fields\n"
        "Right click\tmenu (model, zoom, exit)");
}

} // namespace formwick
