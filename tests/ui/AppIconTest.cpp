#include "ui/icon/AppIcon.h"
#include "ui/icon/AppIconDrawing.h"

#include <QPixmap>

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

const QRgb kBlue = qRgb(0x00, 0x5A, 0x9C);
const QRgb kWhite = qRgb(0xFF, 0xFF, 0xFF);

// The mark is drawn on a 16-unit grid, so at every size it is drawn for (and at twice that size, for a
// device pixel ratio of 2) each straight edge falls between two pixels: the pixels on either side are
// pure, not blended. A drawing moved off the grid or scaled by a fraction fails here.
TEST(AppIcon, StraightEdgesAreSharpAtEverySizeAndAtDoubleSize) {
    for (const int base : ui::kAppIconSizes) {
        for (const int size : {base, 2 * base}) {
            SCOPED_TRACE(size);
            const QImage image = ui::renderAppIcon(size).convertToFormat(QImage::Format_ARGB32);
            ASSERT_EQ(image.size(), QSize(size, size));
            const int unit = size / 16;
            const int middle = size / 2;
            // The square's left and top edges: transparent outside, the full blue inside.
            EXPECT_EQ(qAlpha(image.pixel(unit - 1, middle)), 0);
            EXPECT_EQ(image.pixel(unit, middle), kBlue);
            EXPECT_EQ(qAlpha(image.pixel(middle, unit - 1)), 0);
            EXPECT_EQ(image.pixel(middle, unit), kBlue);
            // The top of the V's left arm: blue above, white below.
            const int arm = unit * 9 / 2;
            EXPECT_EQ(image.pixel(arm, 4 * unit - 1), kBlue);
            EXPECT_EQ(image.pixel(arm, 4 * unit), kWhite);
        }
    }
}

// The window shows the images the build rendered with the same drawing as the desktop's icons, and a
// screen with a device pixel ratio of 2 gets a pixmap drawn for its real pixel count where the window
// carries one (16 and 32 pixels), not one scaled up.
TEST(AppIcon, WindowIconIsTheSameMarkAtEachSizeAndAtDoubleSize) {
    const QIcon icon = ui::applicationIcon();
    for (const int size : ui::kWindowIconSizes) {
        SCOPED_TRACE(size);
        EXPECT_EQ(icon.pixmap(QSize(size, size)).toImage().convertToFormat(QImage::Format_ARGB32),
                  ui::renderAppIcon(size).convertToFormat(QImage::Format_ARGB32));
    }
    for (const int size : {16, 32}) {
        SCOPED_TRACE(size);
        EXPECT_EQ(icon.pixmap(QSize(size, size), 2.0).toImage().convertToFormat(QImage::Format_ARGB32),
                  ui::renderAppIcon(2 * size).convertToFormat(QImage::Format_ARGB32));
    }
}

}  // namespace
}  // namespace vcm::test
