#pragma once

#include <QObject>
#include <QPointer>

#include <functional>
#include <vector>

class QWidget;

namespace vcm::ui {

/// Tells when the focus moves from a watched control to another control of the same window: the only
/// thing that counts as leaving a field. Qt also sends a focus-out when the window loses activation or a
/// message box opens; those must not count, or a box opened by one field's handler would fire the next
/// field's handler behind it.
class FocusLeaveWatcher : public QObject {
    Q_OBJECT
  public:
    explicit FocusLeaveWatcher(QObject* parent = nullptr);

    void watch(QWidget* control, std::function<void()> onLeave);

  private:
    void onFocusChanged(QWidget* old, QWidget* now);

    struct Entry {
        QPointer<QWidget> control;
        std::function<void()> onLeave;
    };
    std::vector<Entry> entries_;
};

}  // namespace vcm::ui
