#include "ui/Pictures.h"
#include "ui/Schematic.h"

#include <QImage>
#include <QPainter>
#include <QPainterPathStroker>

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

// The window's face, and the wider face the system falls back to when that one is missing.
const char* const faces[] = {"Arial", "DejaVu Sans"};

QPainterPath inkOf(const ui::SchematicShape& shape) {
    QPainterPathStroker stroker(ui::schematicPen(shape));
    QPainterPath ink = stroker.createStroke(shape.path);
    return shape.fill.alpha() == 0 ? ink : ink.united(shape.path);
}

QRectF glyphBounds(const ui::SchematicLabel& label, const QFont& font) {
    QPainterPath glyphs;
    glyphs.addText(ui::labelOrigin(label, font), font, label.text);
    return glyphs.boundingRect();
}

QImage render(const QFont& font, ui::SchematicLayers layers, int pixelRatio) {
    QImage image((ui::SchematicDrawing::size * pixelRatio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(pixelRatio);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    ui::paintSchematic(painter, ui::dividerSchematic(), font, layers);
    return image;
}

bool inked(const QImage& image, int x, int y) {
    return image.rect().contains(x, y) && qGray(image.pixel(x, y)) < 224;
}

TEST(Schematic, EveryLabelKeepsTwoPixelsClearOfEveryShapeAndStaysInsideThePicture) {
    const ui::SchematicDrawing drawing = ui::dividerSchematic();
    const QRectF picture(QPointF(0, 0), ui::SchematicDrawing::size);
    for (const char* face : faces) {
        const QFont font = ui::schematicFont(QFont(QString::fromLatin1(face)));
        for (const ui::SchematicLabel& label : drawing.labels) {
            SCOPED_TRACE(std::string(face) + " " + label.text.toStdString());
            const QRectF keepClear = glyphBounds(label, font).adjusted(-2, -2, 2, 2);
            EXPECT_TRUE(picture.contains(keepClear));
            for (std::size_t i = 0; i < drawing.shapes.size(); ++i) {
                EXPECT_FALSE(inkOf(drawing.shapes[i]).intersects(keepClear)) << "shape " << i;
            }
        }
    }
}

// The same rule on the pixels, as the screen shows them at one and at two device pixels per pixel:
// no line pixel lies next to a text pixel, and every text pixel lies where its label's glyphs are.
TEST(Schematic, RenderedTextsTouchNoLineAtOneAndTwoDevicePixelsPerPixel) {
    const ui::SchematicDrawing drawing = ui::dividerSchematic();
    for (const char* face : faces) {
        const QFont font = ui::schematicFont(QFont(QString::fromLatin1(face)));
        for (const int ratio : {1, 2}) {
            SCOPED_TRACE(std::string(face) + " x" + std::to_string(ratio));
            const QImage shapes = render(font, ui::SchematicLayer::Shapes, ratio);
            const QImage texts = render(font, ui::SchematicLayer::Labels, ratio);
            std::vector<QRect> glyphs;
            for (const ui::SchematicLabel& label : drawing.labels) {
                const QRectF bounds = glyphBounds(label, font);
                glyphs.push_back(QRectF(bounds.topLeft() * ratio, bounds.size() * ratio).toAlignedRect());
            }
            int touching = 0;
            int astray = 0;
            for (int y = 0; y < texts.height(); ++y) {
                for (int x = 0; x < texts.width(); ++x) {
                    if (!inked(texts, x, y)) {
                        continue;
                    }
                    for (int dy = -ratio; dy <= ratio; ++dy) {
                        for (int dx = -ratio; dx <= ratio; ++dx) {
                            touching += inked(shapes, x + dx, y + dy) ? 1 : 0;
                        }
                    }
                    const bool placed = std::any_of(glyphs.begin(), glyphs.end(), [&](const QRect& r) {
                        return r.adjusted(-1, -1, 1, 1).contains(x, y);
                    });
                    astray += placed ? 0 : 1;
                }
            }
            EXPECT_EQ(touching, 0);
            EXPECT_EQ(astray, 0);
        }
    }
}

// The checks above hold for the window's picture only if it paints this drawing in its own font.
TEST(Schematic, ThePictureControlPaintsTheCheckedDrawing) {
    ui::SchematicPicture picture;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    picture.setFont(font);
    picture.resize(ui::SchematicDrawing::size.toSize());
    const QImage shown = picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const ui::SchematicLayers both{ui::SchematicLayer::Shapes, ui::SchematicLayer::Labels};
    EXPECT_TRUE(shown == render(ui::schematicFont(font), both, 1));
}

}  // namespace
}  // namespace vcm::test
