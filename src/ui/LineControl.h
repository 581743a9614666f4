#pragma once

#include "ui/VbColor.h"

#include <QWidget>

namespace vcm::ui {

/// A straight line drawn on a container, with its end points in twips relative to that container and
/// its width in pixels. The widget covers just the line's bounding box, lies beneath the container's
/// other controls and lets mouse events through to whatever is under it.
class LineControl : public QWidget {
    Q_OBJECT
  public:
    LineControl(QWidget* container, int x1, int y1, int x2, int y2, int widthPixels, VbColor color);

    int x1() const { return x1_; }
    int y1() const { return y1_; }
    int x2() const { return x2_; }
    int y2() const { return y2_; }
    int borderWidth() const { return width_; }
    VbColor borderColor() const { return color_; }

    void setY1(int twips);
    void setY2(int twips);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void sinkBeneathControls();
    void place();

    int x1_, y1_, x2_, y2_;
    int width_;
    VbColor color_;
};

}  // namespace vcm::ui
