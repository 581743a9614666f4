#include "ui/Schematic.h"

#include <QFontMetricsF>
#include <QPainter>

namespace vcm::ui {
namespace {

const QColor kInk = Qt::black;
const QColor blockColour(0x30, 0x30, 0x90);

QPainterPath polyline(std::initializer_list<QPointF> points) {
    QPainterPath path(*points.begin());
    for (auto it = points.begin() + 1; it != points.end(); ++it) {
        path.lineTo(*it);
    }
    return path;
}

/// A vertical resistor as a zig-zag between (x, top) and (x, bottom).
QPainterPath resistor(double x, double top, double bottom) {
    const double lead = 6;
    const int zigs = 6;
    const double step = (bottom - top - 2 * lead) / zigs;
    QPainterPath path(QPointF(x, top));
    path.lineTo(x, top + lead);
    for (int i = 0; i < zigs; ++i) {
        path.lineTo(x + (i % 2 == 0 ? 5 : -5), top + lead + step * (i + 0.5));
    }
    path.lineTo(x, bottom - lead);
    path.lineTo(x, bottom);
    return path;
}

QPainterPath ground(double x, double y) {
    QPainterPath path = polyline({{x, y}, {x, y + 4}});
    path.addPath(polyline({{x - 8, y + 4}, {x + 8, y + 4}}));
    path.addPath(polyline({{x - 5, y + 7}, {x + 5, y + 7}}));
    path.addPath(polyline({{x - 2, y + 10}, {x + 2, y + 10}}));
    return path;
}

SchematicShape pinSquare(double x, double y) {
    QPainterPath path;
    path.addRect(x - 3, y - 3, 6, 6);
    return {path, kInk, 1.4, Qt::white};
}

SchematicShape dot(double x, double y) {
    QPainterPath path;
    path.addEllipse(QPointF(x, y), 2.5, 2.5);
    return {path, kInk, 1.4, kInk};
}

SchematicShape wire(std::initializer_list<QPointF> points) {
    return {polyline(points), kInk};
}

SchematicShape shape(const QPainterPath& path) {
    return {path, kInk};
}

constexpr Qt::Alignment kLeft = Qt::AlignLeft;
constexpr Qt::Alignment kCentre = Qt::AlignHCenter;
constexpr Qt::Alignment kRight = Qt::AlignRight;

}  // namespace

SchematicDrawing dividerSchematic() {
    SchematicDrawing d;
    auto& s = d.shapes;
    auto& l = d.labels;

    // Supply, divider and the junction to POS with ISET drawn into the pin.
    s.push_back(wire({{24, 20}, {36, 20}}));
    s.push_back(wire({{30, 20}, {30, 30}}));
    s.push_back(shape(resistor(30, 30, 88)));
    s.push_back(wire({{30, 88}, {30, 112}}));
    s.push_back(shape(resistor(30, 112, 170)));
    s.push_back(shape(ground(30, 170)));
    s.push_back(wire({{30, 100}, {117, 100}}));
    s.push_back(dot(30, 100));
    s.push_back(wire({{92, 96}, {100, 100}, {92, 104}}));
    l.push_back({QStringLiteral("AVDD"), {12, 11}, kLeft});
    l.push_back({QStringLiteral("R1"), {39, 59}, kLeft});
    l.push_back({QStringLiteral("R2"), {39, 141}, kLeft});
    l.push_back({QStringLiteral("ISET"), {88, 88}, kCentre});

    // The chip block. Each pin name sits inside the block just above the pin's wire.
    QPainterPath block;
    block.addRect(120, 40, 110, 130);
    s.push_back({block, blockColour, 1.6});
    l.push_back({QStringLiteral("VCM7310"), {227, 161}, kRight, blockColour});
    l.push_back({QStringLiteral("NEG"), {127, 50}, kLeft});
    l.push_back({QStringLiteral("POS"), {127, 90}, kLeft});
    l.push_back({QStringLiteral("OUT"), {227, 69}, kRight});
    l.push_back({QStringLiteral("RSET"), {156, 146}, kLeft});

    // The DCP between POS and the RSET pin.
    QPainterPath dcp;
    dcp.addRect(135, 112, 30, 18);
    s.push_back(shape(dcp));
    l.push_back({QStringLiteral("DCP"), {150, 121}, kCentre});
    s.push_back(wire({{123, 100}, {170, 100}}));
    s.push_back(wire({{150, 100}, {150, 112}}));
    s.push_back(wire({{150, 130}, {150, 167}}));

    // The VCOM amplifier: - from NEG, + from POS, output to OUT; its signs drawn as strokes.
    s.push_back(wire({{123, 60}, {170, 60}}));
    s.push_back(wire({{170, 48}, {170, 112}, {205, 80}, {170, 48}}));
    s.push_back(wire({{173, 65}, {179, 65}}));
    s.push_back(wire({{173, 95}, {179, 95}}));
    s.push_back(wire({{176, 92}, {176, 98}}));
    s.push_back(wire({{205, 80}, {227, 80}}));

    // OUT is VCOM and is fed back to NEG around the top of the block.
    s.push_back(wire({{233, 80}, {262, 80}}));
    s.push_back(wire({{248, 80}, {248, 24}, {100, 24}, {100, 60}, {117, 60}}));
    s.push_back(dot(248, 80));
    l.push_back({QStringLiteral("VCOM"), {252, 90}, kCentre});

    // RSET to ground.
    s.push_back(shape(resistor(150, 173, 210)));
    s.push_back(shape(ground(150, 210)));
    l.push_back({QStringLiteral("RSET"), {159, 191}, kLeft});

    // Pin squares last: they cover the wire ends.
    s.push_back(pinSquare(120, 100));
    s.push_back(pinSquare(120, 60));
    s.push_back(pinSquare(230, 80));
    s.push_back(pinSquare(150, 170));
    return d;
}

QFont schematicFont(const QFont& base) {
    QFont font = base;
    font.setPixelSize(10);
    return font;
}

QPen schematicPen(const SchematicShape& shape) {
    return QPen(shape.pen, shape.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QPointF labelOrigin(const SchematicLabel& label, const QFont& font) {
    const QFontMetricsF metrics(font);
    const double width = metrics.horizontalAdvance(label.text);
    double x = label.anchor.x();
    if (label.align & Qt::AlignHCenter) {
        x -= width / 2;
    } else if (label.align & Qt::AlignRight) {
        x -= width;
    }
    return {x, label.anchor.y() + metrics.capHeight() / 2};
}

void paintSchematic(QPainter& painter, const SchematicDrawing& drawing, const QFont& font,
                    SchematicLayers layers) {
    painter.save();
    if (layers & SchematicLayer::Shapes) {
        for (const SchematicShape& shape : drawing.shapes) {
            painter.setPen(schematicPen(shape));
            painter.setBrush(shape.fill.alpha() == 0 ? QBrush(Qt::NoBrush) : QBrush(shape.fill));
            painter.drawPath(shape.path);
        }
    }
    if (layers & SchematicLayer::Labels) {
        painter.setFont(font);
        for (const SchematicLabel& label : drawing.labels) {
            painter.setPen(label.color);
            painter.drawText(labelOrigin(label, font), label.text);
        }
    }
    painter.restore();
}

}  // namespace vcm::ui
