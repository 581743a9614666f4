// Writes a PNG of the main window as it shows after start-up (a grab of the real window), so anyone can
// look at the layout without running the program: build/vcm7310-window.png.
#include "SimulatedWindow.h"

#include <QApplication>
#include <QStyleFactory>

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

TEST(WindowScreenshot, WritesAPngOfTheStartedWindow) {
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    SimulatedWindow f;
    f.show();
    const QPixmap shot = f.window->grab();
    EXPECT_EQ(shot.size(), f.window->size() * shot.devicePixelRatio());
    const QString path = QStringLiteral(VCM_SCREENSHOT_PATH);
    ASSERT_TRUE(shot.save(path, "PNG")) << path.toStdString();
    EXPECT_FALSE(QImage(path).isNull());
}

}  // namespace
}  // namespace vcm::test
