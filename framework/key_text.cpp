#include "framework/key_text.h"

#include "framework/qt_conversions.h"

#include <QKeyEvent>

namespace fw {

String KeyText(const QKeyEvent& event) {
    const int key = event.key();
    // Ctrl with a letter is a command (Ctrl+V pastes) and never types its
    // letter. Any other modifier (Alt, AltGr, Super, Meta, Hyper) leaves the
    // key's text to be inserted, so such a key counts as the text it carries:
    // holding a modifier must not get a character past a field's filter.
    const Qt::KeyboardModifiers held = event.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (held == Qt::ControlModifier && key >= Qt::Key_A && key <= Qt::Key_Z) return String(1, char(key - Qt::Key_A + 1));
    switch (key) {
        case Qt::Key_Backspace: return "\x08";
        case Qt::Key_Tab:
        case Qt::Key_Backtab: return "\t";
        case Qt::Key_Return:
        case Qt::Key_Enter: return "\r";
        case Qt::Key_Escape: return "\x1b";
        case Qt::Key_Home: return "\x01";
        case Qt::Key_End: return "\x04";
        case Qt::Key_PageUp: return "\x0b";
        case Qt::Key_PageDown: return "\x0c";
        case Qt::Key_Left: return "\x1c";
        case Qt::Key_Right: return "\x1d";
        case Qt::Key_Up: return "\x1e";
        case Qt::Key_Down: return "\x1f";
        case Qt::Key_Delete: return "\x7f";
        default: return FromQString(event.text());
    }
}

bool IsModifierKey(int key) {
    switch (key) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Meta:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_Hyper_L:
        case Qt::Key_Hyper_R:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
        case Qt::Key_ScrollLock: return true;
        default: return false;
    }
}

}  // namespace fw
