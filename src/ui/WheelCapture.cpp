#include "ui/WheelCapture.h"

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>

namespace vcm {

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
    // Vertical distance; a horizontal-only wheel (tilt) still counts as its own distance.
    const QPoint angle = wheel->angleDelta();
    const int distance = angle.y() != 0 ? angle.y() : angle.x();
    if (handler_) {
        handler_(distance);
    }
    return true;
}

}  // namespace vcm
