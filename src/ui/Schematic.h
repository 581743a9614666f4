#pragma once

#include <QColor>
#include <QFlags>
#include <QFont>
#include <QPainterPath>
#include <QPen>
#include <QSizeF>
#include <QString>

#include <vector>

class QPainter;

namespace vcm::ui {

/// One drawn figure of the schematic: a wire, a resistor, a box, a pin square, a dot.
struct SchematicShape {
    QPainterPath path;
    QColor pen;
    double penWidth = 1.4;
    QColor fill = Qt::transparent;  ///< transparent: outline only
};

/// One text. Its anchor is the point of the text that `align` names horizontally (left end, middle or
/// right end) and the middle of its capital letters vertically, so a label sits where it is meant to
/// whatever the face's ascent and line spacing.
struct SchematicLabel {
    QString text;
    QPointF anchor;
    Qt::Alignment align;
    QColor color = Qt::black;
};

/// The output divider around the chip in picture coordinates (`size`): AVDD feeding R1, R1 and R2 in
/// series to ground, their junction to the POS pin with the current ISET drawn into it, the DCP inside
/// the block setting the RSET pin over RSET to ground, and the amplifier's OUT (VCOM) fed back to NEG.
/// The labels keep clear of every shape; the tests check that with the fonts the window may get.
struct SchematicDrawing {
    static constexpr QSizeF size{274.0, 229.0};
    std::vector<SchematicShape> shapes;
    std::vector<SchematicLabel> labels;
};

SchematicDrawing dividerSchematic();

/// The labels' font: the given face at 10 pixels.
QFont schematicFont(const QFont& base);
/// The pen a shape is stroked with.
QPen schematicPen(const SchematicShape& shape);
/// Where the label's text starts on its baseline in the given font.
QPointF labelOrigin(const SchematicLabel& label, const QFont& font);

enum class SchematicLayer { Shapes = 1, Labels = 2 };
Q_DECLARE_FLAGS(SchematicLayers, SchematicLayer)
Q_DECLARE_OPERATORS_FOR_FLAGS(SchematicLayers)

/// Paints the chosen layers in picture coordinates (the caller scales the painter to its surface).
void paintSchematic(QPainter& painter, const SchematicDrawing& drawing, const QFont& font,
                    SchematicLayers layers = {SchematicLayer::Shapes, SchematicLayer::Labels});

}  // namespace vcm::ui
