#pragma once

#include <QScrollBar>

namespace vcm::ui {

/// A vertical scroll bar whose top end is `min` and bottom end `max`, where min may be the larger
/// (255 at the top, 0 at the bottom). Qt wants minimum <= maximum and moves towards the minimum with the
/// top arrow, so the bar runs 0..n internally and value() maps it: the top arrow, the Up key and a click
/// in the trough above the thumb then move towards `min` as the user sees it.
///
/// Screen readers are told value(), vbMin() and vbMax() as the user sees them (VbScrollBarAccessible).
///
/// changed() fires once per completed change (arrow, trough, key, or a dragged thumb when released; never
/// while dragging) and for every setValue() that changes the value.
class VbScrollBar : public QScrollBar {
    Q_OBJECT
  public:
    VbScrollBar(int min, int max, int value, QWidget* parent = nullptr);

    int vbMin() const { return min_; }
    int vbMax() const { return max_; }
    int value() const;
    void setValue(int value);

  signals:
    void changed();

  private:
    int toInternal(int value) const;
    int min_;
    int max_;
};

}  // namespace vcm::ui
