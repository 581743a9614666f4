#include "ui/WheelCapture.h"

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

namespace vcm::ui {

WheelCapture::WheelCapture(QObject* parent) : QObject(parent) {}

WheelCapture::~WheelCapture() {
    unhook();
}

void WheelCapture::hook(QWidget* window, Handler handler) {
    window_ = window;
    handler_ = std::move(handler);
    if (!hooked_) {
        // An application-wide filter sees the event before the control under the pointer does, so no
        // scroll bar or text box gets to use it first.
        qApp->installEventFilter(this);
        hooked_ = true;
    }
}

void WheelCapture::unhook() {
    if (hooked_) {
        qApp->removeEventFilter(this);
        hooked_ = false;
    }
}

bool WheelCapture::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::Wheel || !window_) {
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != window_) {
        return false;
    }
    const auto* wheel = static_cast<QWheelEvent*>(event);
    // Only the vertical wheel steps. Qt reports a vertical turn with Alt held as horizontal, so that one
    // counts too; a real tilt to the side is left to the control under the pointer.
    const QPoint angle = wheel->angleDelta();
    const bool altTurn = angle.y() == 0 && (wheel->modifiers() & Qt::AltModifier);
    if (angle.y() == 0 && angle.x() != 0 && !altTurn) {
        return false;
    }
    const int distance = altTurn ? angle.x() : angle.y();
    if (handler_) {
        handler_(distance);
    }
    return true;
}

}  // namespace vcm::ui
