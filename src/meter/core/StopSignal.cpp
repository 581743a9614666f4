#include "meter/core/StopSignal.h"

#include <csignal>

namespace vcm::meter {

QString StopSignal::name(int signal) {
    switch (signal) {
        case SIGINT:
            return QStringLiteral("SIGINT");
        case SIGTERM:
            return QStringLiteral("SIGTERM");
        default:
            return QStringLiteral("signal %1").arg(signal);
    }
}

}  // namespace vcm::meter
