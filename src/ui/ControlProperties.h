#pragma once

#include "ui/VbColor.h"

class QWidget;

namespace vcm {

/// Places a control in twips within its container. The twips values are kept on the control as well, so
/// that reading a position back gives exactly what was set, not a value rounded through pixels.
void setTwipsGeometry(QWidget* control, int left, int top, int width, int height);
void setTwipsTop(QWidget* control, int top);
int twipsLeft(const QWidget* control);
int twipsTop(const QWidget* control);
int twipsWidth(const QWidget* control);
int twipsHeight(const QWidget* control);

/// Background and text colours as colour values; kept on the control and applied to its palette.
void setBackColor(QWidget* control, VbColor color);
VbColor backColor(const QWidget* control);
void setForeColor(QWidget* control, VbColor color);
VbColor foreColor(const QWidget* control);

}  // namespace vcm
