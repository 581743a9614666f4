#pragma once

#include "ui/VbColor.h"

class QLineEdit;
class QString;
class QWidget;

namespace vcm::ui {

/// Places a control in twips within its container. The twips values are kept on the control as well, so
/// that reading a position back gives exactly what was set, not a value rounded through pixels.
void setTwipsGeometry(QWidget* control, int left, int top, int width, int height);
void setTwipsTop(QWidget* control, int top);
int twipsLeft(const QWidget* control);
int twipsTop(const QWidget* control);
int twipsWidth(const QWidget* control);
int twipsHeight(const QWidget* control);

/// Assigns a text box's text from code, with exactly the effects of QLineEdit::setText: the change
/// signals when the text differs (nested, at once), and in any case no selection, the cursor at the end,
/// not modified, no undo history. An unchanged text is not laid out again, which is most of what a
/// calculation run costs when its results stay the same.
void setControlText(QLineEdit* box, const QString& text);

/// Background and text colours as colour values; kept on the control and applied to its palette.
void setBackColor(QWidget* control, VbColor color);
VbColor backColor(const QWidget* control);
void setForeColor(QWidget* control, VbColor color);
VbColor foreColor(const QWidget* control);

}  // namespace vcm::ui
