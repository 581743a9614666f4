#include "ui/LineControl.h"

#include "ui/Twips.h"

#include <QPainter>

#include <algorithm>

namespace vcm::ui {

LineControl::LineControl(QWidget* container, int x1, int y1, int x2, int y2, int widthPixels, VbColor color)
    : QWidget(container), x1_(x1), y1_(y1), x2_(x2), y2_(y2), width_(widthPixels), color_(color) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    sinkBeneathControls();
    place();
}

void LineControl::sinkBeneathControls() {
    // A line is part of its container's surface: the container's controls cover it, so a tick that
    // runs into a text box never cuts into the box. Lines made earlier stay beneath this one.
    for (QObject* sibling : parentWidget()->children()) {
        auto* widget = qobject_cast<QWidget*>(sibling);
        if (widget != nullptr && widget != this && qobject_cast<LineControl*>(widget) == nullptr) {
            stackUnder(widget);
            return;
        }
    }
}

void LineControl::setY1(int twips) {
    y1_ = twips;
    place();
}

void LineControl::setY2(int twips) {
    y2_ = twips;
    place();
}

void LineControl::place() {
    const int margin = (width_ + 1) / 2 + 1;
    const int left = std::min(twipsToPixels(x1_), twipsToPixels(x2_)) - margin;
    const int top = std::min(twipsToPixels(y1_), twipsToPixels(y2_)) - margin;
    const int right = std::max(twipsToPixels(x1_), twipsToPixels(x2_)) + margin;
    const int bottom = std::max(twipsToPixels(y1_), twipsToPixels(y2_)) + margin;
    setGeometry(left, top, right - left + 1, bottom - top + 1);
    update();
}

void LineControl::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    QPen pen(toQColor(color_, palette()));
    pen.setWidth(width_);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    const QPoint origin = pos();
    painter.drawLine(QPoint(twipsToPixels(x1_), twipsToPixels(y1_)) - origin,
                     QPoint(twipsToPixels(x2_), twipsToPixels(y2_)) - origin);
}

}  // namespace vcm::ui
