#pragma once

#include <QObject>
#include <QPointer>

#include <cstdint>
#include <functional>

class QWidget;

namespace vcm::ui {

/// Captures every wheel event over a window, whatever control is under the pointer or has the focus, and
/// turns it into one call of the handler with the wheel distance (1/8 degree units, one notch 120,
/// positive away from the user). The event is consumed, so no control scrolls as well. One event is one
/// call, whatever its distance.
class WheelCapture : public QObject {
    Q_OBJECT
  public:
    using Handler = std::function<void(std::int32_t distance)>;

    explicit WheelCapture(QObject* parent = nullptr);
    ~WheelCapture() override;

    void hook(QWidget* window, Handler handler);
    void unhook();
    bool isHooked() const { return hooked_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> window_;
    Handler handler_;
    bool hooked_ = false;
};

}  // namespace vcm::ui
