// SPDX-License-Identifier: MIT
#include "window/qt/KeyStroke.h"

#include <QKeyEvent>

namespace wordrop::window::qt {

using window::KeyName;
using window::Modifiers;

window::KeyStroke keyStroke(const QKeyEvent& event) {
    window::KeyStroke stroke;
    const int key = event.key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        stroke.name = KeyName::Enter;
    } else if (key == Qt::Key_Space) {
        stroke.name = KeyName::Space;
    } else if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        stroke.name = KeyName::Tab;
    } else if (key == Qt::Key_F2) {
        stroke.name = KeyName::F2;
    } else if (key >= Qt::Key_A && key <= Qt::Key_Z) {
        stroke.name = KeyName::Letter;
        stroke.letter = static_cast<char>('A' + (key - Qt::Key_A));
    }
    const Qt::KeyboardModifiers held = event.modifiers();
    if (held & Qt::ShiftModifier) stroke.modifiers = stroke.modifiers | Modifiers::Shift;
    if (held & Qt::ControlModifier) stroke.modifiers = stroke.modifiers | Modifiers::Ctrl;
    if (held & Qt::AltModifier) stroke.modifiers = stroke.modifiers | Modifiers::Alt;
    if (held & Qt::MetaModifier) stroke.modifiers = stroke.modifiers | Modifiers::Meta;
    if (key == Qt::Key_Backtab) stroke.modifiers = stroke.modifiers | Modifiers::Shift;
    stroke.repeat = event.isAutoRepeat();
    // On X, the server's time: a held key's repeat comes at its release's time.
    stroke.time = event.timestamp();
    stroke.text = event.text().toStdString();
    return stroke;
}

}  // namespace wordrop::window::qt
