#pragma once

#include "ui/MessageBoxService.h"

#include <QPointer>
#include <QWidget>

namespace vcm::ui {

/// The real message box: a QMessageBox over the given window. A box without a title of its own carries
/// the window's caption.
class QtMessageBox final : public MessageBoxService {
  public:
    explicit QtMessageBox(QWidget* window) : window_(window) {}
    int show(const QString& text, int style, const QString& title) override;

  private:
    QPointer<QWidget> window_;
};

}  // namespace vcm::ui
