#include "ui/PauseService.h"

#include <QThread>

namespace vcm::ui {

void SleepingPause::pause(int milliseconds) {
    if (milliseconds > 0) {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
    }
}

}  // namespace vcm::ui
