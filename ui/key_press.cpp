#include "ui/key_press.h"

#include <QKeyEvent>

namespace olvimar {

namespace {

keys::Key KeyOf(int key) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:  // the keypad's
            return keys::Key::Enter;
        case Qt::Key_Escape:
            return keys::Key::Escape;
        case Qt::Key_Z:
            return keys::Key::Z;
        case Qt::Key_G:
            return keys::Key::G;
        case Qt::Key_R:
            return keys::Key::R;
        case Qt::Key_Up:
            return keys::Key::Up;
        case Qt::Key_Down:
            return keys::Key::Down;
        case Qt::Key_Left:
            return keys::Key::Left;
        case Qt::Key_Right:
            return keys::Key::Right;
        case Qt::Key_PageUp:
            return keys::Key::PageUp;
        case Qt::Key_PageDown:
            return keys::Key::PageDown;
        case Qt::Key_Home:
            return keys::Key::Home;
        case Qt::Key_End:
            return keys::Key::End;
        default:
            return keys::Key::Other;
    }
}

}  // namespace

keys::Press PressOf(const QKeyEvent* event) {
    const Qt::KeyboardModifiers m = event->modifiers();
    return {KeyOf(event->key()), m.testFlag(Qt::ControlModifier), m.testFlag(Qt::AltModifier),
            m.testFlag(Qt::ShiftModifier)};
}

}  // namespace olvimar
