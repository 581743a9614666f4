#include "SimulatedWindow.h"
#include "ui/CaptionButton.h"
#include "ui/ControlProperties.h"
#include "ui/LineControl.h"
#include "ui/VbScrollBar.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

const QStringList kConnectedStartup{
    "crvHID_connect() = 1",
    "crvHID_indicateSelectedModule(0) = 0",
    "crvHID_setGPIOConfiguration(0x00, 0x00, -1, 0) = 0",
};

TEST(Startup, WithAdapterMakesTheThreeConnectionCallsInOrderAndNothingElse) {
    SimulatedWindow f(0x80, true);
    EXPECT_EQ(f.calls, kConnectedStartup);
    EXPECT_EQ(f.get<ui::CaptionButton>("cmdConnect")->backColor(), 0x80FF80u);
    EXPECT_EQ(f.get<ui::CaptionButton>("cmdConnect")->text(), "CONNECT");
    EXPECT_TRUE(f.messages.shown.empty());
    EXPECT_TRUE(f.pauses.pauses.empty());
}

TEST(Startup, WithoutAdapterOnlyConnectsAndShowsLightRed) {
    SimulatedWindow f(0x80, false);
    EXPECT_EQ(f.calls, QStringList{"crvHID_connect() = 0"});
    EXPECT_EQ(f.get<ui::CaptionButton>("cmdConnect")->backColor(), 0x8080FFu);
    EXPECT_EQ(f.get<ui::CaptionButton>("cmdConnect")->text(), "CONNECT");
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST(Startup, EveryControlIsInItsStartingState) {
    for (const bool plugged : {true, false}) {
        SCOPED_TRACE(plugged ? "adapter present" : "no adapter");
        SimulatedWindow f(0x80, plugged);
        EXPECT_EQ(f.text("txtTest(0)"), "00");
        EXPECT_EQ(f.get<QLineEdit>("txtTest(0)")->alignment(), Qt::AlignCenter);
        EXPECT_EQ(f.get<ui::VbScrollBar>("vscTest(0)")->value(), 0);
        EXPECT_TRUE(f.get("LabelEnterReminder")->isHidden());
        EXPECT_EQ(f.get<ui::CaptionButton>("cmdWrite")->backColor(), 0x000000FFu);
        EXPECT_FALSE(f.window->findChild<QTimer*>("Timer1")->isActive());
        EXPECT_EQ(f.window->findChild<QTimer*>("Timer1")->interval(), 500);
        EXPECT_TRUE(f.get<QRadioButton>("opDisplayMode(0)")->isChecked());
        EXPECT_FALSE(f.get<QRadioButton>("opDisplayMode(1)")->isChecked());
        EXPECT_EQ(f.window->globals().displayHex, dcp::kVbTrue);
        EXPECT_EQ(f.window->globals().sendOnSliderChange, dcp::kVbTrue);
        EXPECT_EQ(f.window->globals().selectedModule, 0);
        EXPECT_TRUE(f.window->wheelCaptureInstalled());
        // The forward calculation ran once on the design values with the box at "00".
        EXPECT_EQ(f.text("txtIOUT"), "0.00016");
        EXPECT_EQ(f.text("txtVRSET"), "0.0016");
        EXPECT_EQ(f.text("txtVOUT"), "4.9179");
        EXPECT_EQ(f.text("txtVoutMax"), "4.9179");
        EXPECT_EQ(f.text("txtVOutMin"), "2.8817");
        EXPECT_EQ(f.text("txtDVR"), "00");
        EXPECT_EQ(f.get<QLabel>("lblDVR2")->text(), "DCP (hex)");
        EXPECT_EQ(f.get<QLabel>("lblDVR")->text(), "DCP Value");
        EXPECT_EQ(ui::twipsTop(f.get("txtVOUT")), 720);
        EXPECT_EQ(f.get<ui::LineControl>("Line4")->y1(), 840);
    }
}

TEST(Startup, WindowHasItsCaptionMenuAndClientSize) {
    SimulatedWindow f;
    EXPECT_EQ(f.window->windowTitle(), "VCM7310 Evaluation Board Software [simulated board]");
    EXPECT_EQ(f.window->centralWidget()->size(), QSize(827, 291));
    EXPECT_FALSE(f.window->windowIcon().isNull());
    const QList<QAction*> menus = f.window->menuBar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), "&File");
    const QList<QAction*> items = menus[0]->menu()->actions();
    ASSERT_EQ(items.size(), 1);
    EXPECT_EQ(items[0]->text(), "E&xit");
}

TEST(Connect, ClickWithAdapterPresentThenAbsentRecoloursAndKeepsModuleZero) {
    SimulatedWindow f(0x80, false);
    auto* connect = f.get<ui::CaptionButton>("cmdConnect");
    f.forget();
    f.board.plugged = true;
    QTest::mouseClick(connect, Qt::LeftButton);
    EXPECT_EQ(f.calls, kConnectedStartup);
    EXPECT_EQ(connect->backColor(), 0x80FF80u);
    EXPECT_EQ(connect->text(), "CONNECT");
    EXPECT_EQ(f.window->globals().selectedModule, 0);

    f.forget();
    f.board.plugged = false;
    QTest::mouseClick(connect, Qt::LeftButton);
    EXPECT_EQ(f.calls, QStringList{"crvHID_connect() = 0"});
    EXPECT_EQ(connect->backColor(), 0x8080FFu);
    EXPECT_EQ(connect->text(), "CONNECT");
    EXPECT_EQ(f.window->globals().selectedModule, 0);
}

TEST(Connect, ClickDoesNotTouchTheSliderSendFlag) {
    SimulatedWindow f;
    f.window->MouseWheelRolled(120);  // clears the flag
    ASSERT_EQ(f.window->globals().sendOnSliderChange, dcp::kVbFalse);
    f.click("cmdConnect");
    EXPECT_EQ(f.window->globals().sendOnSliderChange, dcp::kVbFalse);
}

TEST(Shutdown, FileExitAndTheCloseBoxBothUnloadTheSameWayWithoutAdapterCalls) {
    for (const bool viaMenu : {true, false}) {
        SCOPED_TRACE(viaMenu ? "File, Exit" : "close box");
        SimulatedWindow f;
        f.show();
        f.forget();
        if (viaMenu) {
            f.window->findChild<QAction*>("mnuExit")->trigger();
        } else {
            f.window->close();
        }
        EXPECT_FALSE(f.window->isVisible());
        EXPECT_FALSE(f.window->wheelCaptureInstalled());
        EXPECT_TRUE(f.window->testAttribute(Qt::WA_QuitOnClose));
        EXPECT_TRUE(f.calls.isEmpty());
    }
}

TEST(OperatingNotes, HelpShowsElevenLinesJoinedByCrLfWithStyleZeroAndNoOwnTitle) {
    SimulatedWindow f;
    f.click("btnHelp");
    ASSERT_EQ(f.messages.shown.size(), 1u);
    const ShownBox& box = f.messages.shown[0];
    EXPECT_EQ(box.style, 0);
    EXPECT_TRUE(box.title.isEmpty());
    const QStringList lines = box.text.split("\r\n");
    ASSERT_EQ(lines.size(), 11);
    EXPECT_FALSE(box.text.endsWith("\r\n"));
    EXPECT_EQ(box.text.count('\n'), 10);
    EXPECT_EQ(box.text.count('\r'), 10);
    EXPECT_EQ(lines[0], "Evaluation Software Notes:");
    EXPECT_EQ(lines[1], "");
    EXPECT_EQ(lines[6], "   actual \"OUT\" can differ slightly due to VCOM amplifier offset");
    EXPECT_EQ(lines[10], "   Click on the entry box to apply focus and press Enter to send the new data");
    for (const int indented : {6, 8, 9, 10}) {
        EXPECT_TRUE(lines[indented].startsWith("   ")) << indented;
        EXPECT_NE(lines[indented][3], ' ') << indented;
    }
    for (const int plain : {0, 2, 3, 4, 5, 7}) {
        EXPECT_NE(lines[plain][0], ' ') << plain;
    }
    EXPECT_TRUE(f.calls.size() == 3);  // nothing beyond start-up reached the adapter
}

}  // namespace
}  // namespace vcm::test
