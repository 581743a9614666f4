#include "ui/Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace vcm {
namespace {

/// A vertical resistor as a zig-zag between (x, top) and (x, bottom), with its name beside it.
void resistor(QPainter& p, int x, int top, int bottom, const QString& name) {
    const int lead = 6;
    QPainterPath path(QPointF(x, top));
    path.lineTo(x, top + lead);
    const int zigs = 6;
    const double step = (bottom - top - 2.0 * lead) / zigs;
    for (int i = 0; i < zigs; ++i) {
        path.lineTo(x + (i % 2 == 0 ? 5 : -5), top + lead + step * (i + 0.5));
    }
    path.lineTo(x, bottom - lead);
    path.lineTo(x, bottom);
    p.drawPath(path);
    p.drawText(QRect(x + 8, (top + bottom) / 2 - 7, 40, 14), Qt::AlignLeft | Qt::AlignVCenter, name);
}

void ground(QPainter& p, int x, int y) {
    p.drawLine(x, y, x, y + 4);
    p.drawLine(x - 8, y + 4, x + 8, y + 4);
    p.drawLine(x - 5, y + 7, x + 5, y + 7);
    p.drawLine(x - 2, y + 10, x + 2, y + 10);
}

void dot(QPainter& p, int x, int y) {
    p.save();
    p.setBrush(p.pen().color());
    p.drawEllipse(QPointF(x, y), 2.5, 2.5);
    p.restore();
}

void pin(QPainter& p, int x, int y, const QString& name, Qt::Alignment align, QRect label) {
    p.save();
    p.setBrush(Qt::white);
    p.drawRect(x - 3, y - 3, 6, 6);
    p.restore();
    p.drawText(label, align, name);
}

}  // namespace

SchematicPicture::SchematicPicture(QWidget* parent) : QWidget(parent) {}

void SchematicPicture::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), Qt::white);
    // Drawn for a 274 x 229 pixel picture; scaled if the control is another size.
    p.scale(width() / 274.0, height() / 229.0);
    QFont font = p.font();
    font.setPixelSize(10);
    p.setFont(font);
    p.setPen(QPen(Qt::black, 1.4));

    // Supply and divider.
    p.drawText(QRect(12, 4, 60, 14), Qt::AlignLeft, QStringLiteral("AVDD"));
    p.drawLine(30, 20, 30, 30);
    p.drawLine(24, 20, 36, 20);
    resistor(p, 30, 30, 88, QStringLiteral("R1"));
    dot(p, 30, 100);
    p.drawLine(30, 88, 30, 112);
    resistor(p, 30, 112, 170, QStringLiteral("R2"));
    ground(p, 30, 170);

    // Junction to POS, with ISET drawn into the pin.
    p.drawLine(30, 100, 120, 100);
    QPainterPath arrow;
    arrow.moveTo(92, 96);
    arrow.lineTo(100, 100);
    arrow.lineTo(92, 104);
    p.drawPath(arrow);
    p.drawText(QRect(70, 84, 40, 12), Qt::AlignCenter, QStringLiteral("ISET"));

    // The chip block with its pins.
    p.save();
    p.setPen(QPen(QColor(0x30, 0x30, 0x90), 1.6));
    p.drawRect(120, 40, 110, 130);
    p.drawText(QRect(120, 154, 110, 14), Qt::AlignCenter, QStringLiteral("VCM7310"));
    p.restore();
    pin(p, 120, 100, QStringLiteral("POS"), Qt::AlignLeft | Qt::AlignVCenter, QRect(125, 93, 30, 14));
    pin(p, 120, 60, QStringLiteral("NEG"), Qt::AlignLeft | Qt::AlignVCenter, QRect(125, 53, 30, 14));
    pin(p, 230, 80, QStringLiteral("OUT"), Qt::AlignRight | Qt::AlignVCenter, QRect(195, 66, 32, 12));
    pin(p, 150, 170, QStringLiteral("RSET"), Qt::AlignHCenter | Qt::AlignBottom, QRect(130, 142, 40, 12));

    // The DCP inside the block, between POS and the RSET pin.
    p.drawRect(136, 112, 30, 18);
    p.drawText(QRect(136, 112, 30, 18), Qt::AlignCenter, QStringLiteral("DCP"));
    p.drawLine(123, 100, 151, 100);
    p.drawLine(151, 100, 151, 112);
    p.drawLine(151, 130, 150, 167);

    // The VCOM amplifier: + from POS, - from NEG, output to OUT.
    QPainterPath amp;
    amp.moveTo(170, 52);
    amp.lineTo(170, 108);
    amp.lineTo(205, 80);
    amp.closeSubpath();
    p.drawPath(amp);
    p.drawText(QRect(171, 56, 10, 10), Qt::AlignCenter, QStringLiteral("-"));
    p.drawText(QRect(171, 92, 10, 10), Qt::AlignCenter, QStringLiteral("+"));
    p.drawLine(123, 60, 170, 60);
    p.drawLine(158, 100, 170, 100);
    p.drawLine(151, 100, 158, 100);
    p.drawLine(205, 80, 227, 80);

    // OUT is VCOM and is fed back to NEG around the top of the block.
    p.drawLine(233, 80, 262, 80);
    dot(p, 248, 80);
    p.drawText(QRect(232, 84, 42, 12), Qt::AlignCenter, QStringLiteral("VCOM"));
    p.drawLine(248, 80, 248, 24);
    p.drawLine(248, 24, 100, 24);
    p.drawLine(100, 24, 100, 60);
    p.drawLine(100, 60, 117, 60);

    // RSET to ground.
    resistor(p, 150, 173, 210, QStringLiteral("RSET"));
    ground(p, 150, 210);
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

}  // namespace vcm
