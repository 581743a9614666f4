#include "ui/AppIcon.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace vcm::ui {

QImage renderAppIcon(int pixels) {
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/icons/AppIcon.svg"));
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image;
}

QIcon applicationIcon() {
    QIcon icon;
    for (const int size : kAppIconSizes) {
        icon.addPixmap(QPixmap::fromImage(renderAppIcon(size)));
        icon.addPixmap(QPixmap::fromImage(renderAppIcon(2 * size)));
    }
    return icon;
}

}  // namespace vcm::ui
