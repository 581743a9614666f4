#include "ui/QtMessageBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace vcm::ui {

int QtMessageBox::show(const QString& text, int style, const QString& title) {
    const QString caption = title.isEmpty() && window_ ? window_->windowTitle() : title;
    QMessageBox box(window_);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (style & 0xF0) {
        case 16:
            box.setIcon(QMessageBox::Critical);
            break;
        case 32:
            box.setIcon(QMessageBox::Question);
            break;
        case 48:
            box.setIcon(QMessageBox::Warning);
            break;
        case 64:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
            break;
    }
    const bool secondIsDefault = (style & 0xF00) == 256;
    if ((style & 0x0F) == 4) {
        QPushButton* yes = box.addButton(QMessageBox::Yes);
        QPushButton* no = box.addButton(QMessageBox::No);
        box.setDefaultButton(secondIsDefault ? no : yes);
        box.exec();
        return box.clickedButton() == static_cast<QAbstractButton*>(yes) ? kAnswerYes : kAnswerNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return kAnswerOk;
}

}  // namespace vcm::ui
