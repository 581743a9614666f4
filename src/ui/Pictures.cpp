#include "ui/Pictures.h"

#include "ui/Schematic.h"

#include <QPainter>

namespace vcm::ui {

SchematicPicture::SchematicPicture(QWidget* parent) : QWidget(parent) {}

void SchematicPicture::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    // Drawn for the picture's own size; scaled if the control is another size.
    p.scale(width() / SchematicDrawing::size.width(), height() / SchematicDrawing::size.height());
    paintSchematic(p, dividerSchematic(), schematicFont(font()));
}

LogoPicture::LogoPicture(QWidget* parent) : QWidget(parent) {}

void LogoPicture::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(width() / 231.0, height() / 27.0);
    // Emblem: two arcs around a dot, a stylised steady signal.
    p.setPen(QPen(QColor(0x00, 0x5A, 0x9C), 2.2));
    p.drawArc(QRectF(3, 3, 21, 21), 40 * 16, 280 * 16);
    p.setBrush(QColor(0xE0, 0x7A, 0x10));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(13.5, 13.5), 4.0, 4.0);
    QFont font = p.font();
    font.setPixelSize(19);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 2.0);
    p.setFont(font);
    p.setPen(QColor(0x00, 0x3E, 0x6E));
    p.drawText(QRectF(32, 0, 199, 27), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("CORVANE"));
}

}  // namespace vcm::ui
