#include "ui/KeyEventBridge.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>

namespace vcm::ui {

int virtualKeyCode(int qtKey) {
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return qtKey;  // Qt uses the ASCII codes of digits and upper-case letters, as the platform does
    }
    switch (qtKey) {
        case Qt::Key_Backspace:
            return 8;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return 9;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return 13;
        case Qt::Key_Shift:
            return 16;
        case Qt::Key_Control:
            return 17;
        case Qt::Key_Alt:
            return 18;
        case Qt::Key_Escape:
            return 27;
        case Qt::Key_Space:
            return 32;
        case Qt::Key_PageUp:
            return 33;
        case Qt::Key_PageDown:
            return 34;
        case Qt::Key_End:
            return 35;
        case Qt::Key_Home:
            return 36;
        case Qt::Key_Left:
            return 37;
        case Qt::Key_Up:
            return 38;
        case Qt::Key_Right:
            return 39;
        case Qt::Key_Down:
            return 40;
        case Qt::Key_Insert:
            return 45;
        case Qt::Key_Delete:
            return 46;
        default:
            return 0;
    }
}

KeyEventBridge::KeyEventBridge(QLineEdit* box, KeyDown keyDown, KeyPress keyPress)
    : QObject(box), box_(box), keyDown_(std::move(keyDown)), keyPress_(std::move(keyPress)) {
    box->installEventFilter(this);
}

QString KeyEventBridge::filtered(const QString& text) {
    QString kept;
    for (const QChar c : text) {
        std::uint16_t keyAscii = c.unicode();
        keyPress_(keyAscii);
        if (keyAscii != 0) {
            kept += QChar(keyAscii);
        }
    }
    return kept;
}

bool KeyEventBridge::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_) {
        return false;
    }
    if (event->type() == QEvent::InputMethod) {
        // Text composed by an input method arrives without key presses; it passes the same filter.
        auto* input = static_cast<QInputMethodEvent*>(event);
        if (input->commitString().isEmpty() || !input->preeditString().isEmpty()) {
            return false;
        }
        const QString kept = filtered(input->commitString());
        if (!kept.isEmpty()) {
            box_->insert(kept);
        }
        return true;
    }
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
        return false;  // focus navigation belongs to the window, not to the box
    }
    const QPointer<QLineEdit> box = box_;
    int shift = 0;
    if (key->modifiers() & Qt::ShiftModifier)
        shift |= 1;
    if (key->modifiers() & Qt::ControlModifier)
        shift |= 2;
    if (key->modifiers() & Qt::AltModifier)
        shift |= 4;
    keyDown_(virtualKeyCode(key->key()), shift);
    // A key-down step can open a message box, and the window may be closed while it is open.
    if (!box) {
        return true;
    }
    const QString text = key->text();
    // Keys that type no character (arrows, Shift, ...) and Delete, which Qt reports with the character
    // 127 where the platform types none, are handled by the box as usual.
    if (text.isEmpty() || key->key() == Qt::Key_Delete) {
        return false;
    }
    const QString kept = filtered(text);
    if (kept == text && text.size() == 1) {
        return false;  // unchanged: the box types it, or handles Enter and Backspace itself
    }
    if (!kept.isEmpty()) {
        box->insert(kept);
    }
    return true;
}

}  // namespace vcm::ui
