// Mapping key presses to the characters they type.
#include "platform/keyfilter.h"

#include <QKeyEvent>

char16_t TypedCharacter(const QKeyEvent& event) {
    const int key = event.key();
    const Qt::KeyboardModifiers mods = event.modifiers();
    switch (key) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
            return 0;
        default:
            break;
    }
    // Ctrl with a letter types a control character, so shortcuts such as paste are characters
    // too and pass through the same filter.
    if ((mods & Qt::ControlModifier) && key >= Qt::Key_A && key <= Qt::Key_Z) {
        return static_cast<char16_t>(key - Qt::Key_A + 1);
    }
    const QString text = event.text();
    if (text.isEmpty() || (mods & Qt::ControlModifier)) return 0;
    const char16_t c = text.at(0).unicode();
    return (c < 0x20 || c == 0x7F) ? 0 : c;
}

bool EditsText(const QKeyEvent& event) {
    const char16_t c = TypedCharacter(event);
    return event.key() == Qt::Key_Delete || (c != 0 && c != 27);
}
