#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
    // Widget tests run headless unless the caller picked a platform (for example xcb under Xvfb).
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    // Tests that name the window's face get it where it is missing, as the window does
    // (ui::substituteArialTwins).
    QFont::insertSubstitutions(QStringLiteral("Arial"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    ::testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
