#include "ui/VbScrollBar.h"

#include "ui/VbScrollBarAccessible.h"

#include <algorithm>
#include <cstdlib>

namespace vcm::ui {

VbScrollBar::VbScrollBar(int min, int max, int value, QWidget* parent)
    : QScrollBar(Qt::Vertical, parent), min_(min), max_(max) {
    installVbScrollBarAccessibility();
    QScrollBar::setRange(0, std::abs(max - min));
    QScrollBar::setValue(toInternal(value));
    setTracking(false);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, &VbScrollBar::changed);
}

int VbScrollBar::value() const {
    const int step = QScrollBar::value();
    return min_ <= max_ ? min_ + step : min_ - step;
}

int VbScrollBar::toInternal(int value) const {
    const int lo = std::min(min_, max_);
    const int hi = std::max(min_, max_);
    const int clamped = std::clamp(value, lo, hi);
    return min_ <= max_ ? clamped - min_ : min_ - clamped;
}

void VbScrollBar::setValue(int value) {
    QScrollBar::setValue(toInternal(value));
}

}  // namespace vcm::ui
