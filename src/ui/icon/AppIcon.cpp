#include "ui/icon/AppIcon.h"

#include <QSize>
#include <QString>

namespace vcm::ui {

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : kWindowIconSizes) {
        icon.addFile(QStringLiteral(":/icons/app-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

}  // namespace vcm::ui
