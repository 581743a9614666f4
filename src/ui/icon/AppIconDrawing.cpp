#include "ui/icon/AppIconDrawing.h"

#include <QPainter>
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

}  // namespace vcm::ui
