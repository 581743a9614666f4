#pragma once

#include "ui/VbColor.h"

#include <QPushButton>

#include <optional>

namespace vcm::ui {

/// A command button whose caption wraps onto several lines when it does not fit its width, and which,
/// in the graphical style, shows its background colour as a flat face. Qt's push buttons neither wrap
/// nor reliably show a background colour under every style, so this one paints itself.
class CaptionButton : public QPushButton {
    Q_OBJECT
  public:
    explicit CaptionButton(QWidget* parent = nullptr);

    /// Graphical style: the face shows backColor(). Otherwise the style's own button face is drawn.
    void setGraphicalStyle(bool graphical);
    bool graphicalStyle() const { return graphical_; }

    void setBackColor(VbColor color);
    VbColor backColor() const { return backColor_; }

    /// The colour the face is painted with right now (resolved against the palette).
    QColor faceColor() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    /// Enter presses the focused button, as Space does.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    bool graphical_ = false;
    VbColor backColor_ = kVbButtonFace;
};

}  // namespace vcm::ui
