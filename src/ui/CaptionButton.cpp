#include "ui/CaptionButton.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace vcm::ui {

CaptionButton::CaptionButton(QWidget* parent) : QPushButton(parent) {}

void CaptionButton::setGraphicalStyle(bool graphical) {
    graphical_ = graphical;
    update();
}

void CaptionButton::setBackColor(VbColor color) {
    if (backColor_ != color) {
        backColor_ = color;
        update();
    }
}

QColor CaptionButton::faceColor() const {
    return graphical_ ? toQColor(backColor_, palette()) : palette().color(QPalette::Button);
}

void CaptionButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        event->modifiers() == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CaptionButton::paintEvent(QPaintEvent* /*event*/) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    if (graphical_) {
        // Draw the bevel with the face colour in the palette, then fill the face flat so that no style
        // gradient changes the colour the user reads.
        option.palette.setColor(QPalette::Button, faceColor());
        painter.drawControl(QStyle::CE_PushButtonBevel, option);
        const int inset = isDown() ? 3 : 2;
        painter.fillRect(rect().adjusted(inset, inset, -inset, -inset), faceColor());
    } else {
        painter.drawControl(QStyle::CE_PushButtonBevel, option);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(4, 4, -4, -4);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
    const QRect textArea = rect().adjusted(3, 2, -3, -2).translated(isDown() ? 1 : 0, isDown() ? 1 : 0);
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(textArea, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, text());
}

}  // namespace vcm::ui
