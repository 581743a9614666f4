#include "QtPrinters.h"
#include "ui/ControlProperties.h"
#include "ui/KeyEventBridge.h"
#include "ui/MessageBoxService.h"
#include "ui/QtMessageBox.h"
#include "ui/VbScrollBar.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

TEST(VbScrollBar, TopEndIsTheFirstBoundAndEveryControlMovesTheWayItPoints) {
    QWidget window;
    VbScrollBar bar(255, 0, 0, &window);
    bar.setGeometry(0, 0, 25, 129);
    bar.setSingleStep(1);
    bar.setPageStep(16);
    window.show();
    QSignalSpy changed(&bar, &VbScrollBar::changed);
    EXPECT_EQ(bar.value(), 0);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(12, 3));  // top arrow
    EXPECT_EQ(bar.value(), 1);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(12, 125));  // bottom arrow
    EXPECT_EQ(bar.value(), 0);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(12, 30));  // trough above the thumb
    EXPECT_EQ(bar.value(), 16);
    bar.setFocus();
    QTest::keyClick(&bar, Qt::Key_Up);
    EXPECT_EQ(bar.value(), 17);
    QTest::keyClick(&bar, Qt::Key_PageDown);
    EXPECT_EQ(bar.value(), 1);
    EXPECT_EQ(changed.count(), 5);
    bar.setValue(300);  // beyond the range: clamped to the top end
    EXPECT_EQ(bar.value(), 255);
    bar.setValue(255);  // unchanged: no change event
    EXPECT_EQ(changed.count(), 6);
}

TEST(VbScrollBar, ADraggedThumbChangesOnceWhenReleased) {
    VbScrollBar bar(255, 0, 0);
    QSignalSpy changed(&bar, &VbScrollBar::changed);
    bar.setSliderDown(true);
    bar.setSliderPosition(200);
    bar.setSliderPosition(100);
    EXPECT_EQ(changed.count(), 0);
    bar.setSliderDown(false);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(bar.value(), 155);
}

TEST(VirtualKeyCode, MatchesThePlatformCodesTheHandlersTest) {
    const std::pair<int, int> cases[] = {
        {Qt::Key_Return, 13}, {Qt::Key_Enter, 13}, {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34},
        {Qt::Key_Up, 38},     {Qt::Key_Down, 40},  {Qt::Key_Left, 37},   {Qt::Key_Backspace, 8},
        {Qt::Key_Delete, 46}, {Qt::Key_A, 65},     {Qt::Key_F, 70},      {Qt::Key_0, 48},
        {Qt::Key_9, 57},      {Qt::Key_F1, 0},
    };
    for (const auto& [qtKey, code] : cases) {
        EXPECT_EQ(virtualKeyCode(qtKey), code) << qtKey;
    }
}

TEST(KeyEventBridge, KeyDownComesFirstThenAFilteredCharacterIsTypedOrSwallowed) {
    QLineEdit box;
    std::vector<int> downs;
    KeyEventBridge bridge(
        &box, [&](int code, int) { downs.push_back(code); },
        [](std::uint16_t& c) { c = c == 'a' ? 'A' : (c == 'x' ? 0 : c); });
    QTest::keyClicks(&box, "axb");
    EXPECT_EQ(box.text(), "Ab");
    EXPECT_EQ(downs, (std::vector<int>{65, 88, 66}));
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(box.text(), "A");
}

/// Presses a key in the modal box that opens next, as a user at the keyboard does.
void answerNextBoxWith(Qt::Key key, QString* title = nullptr, QString* text = nullptr) {
    QTimer::singleShot(0, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        if (title)
            *title = box->windowTitle();
        if (text)
            *text = box->text();
        QTest::keyClick(box, key);
    });
}

TEST(QtMessageBox, EnterAtAQuestionAnswersNoAndAnOkBoxCarriesTheWindowCaption) {
    QWidget window;
    window.setWindowTitle("Bench");
    window.show();
    QtMessageBox boxes(&window);
    QString title;
    answerNextBoxWith(Qt::Key_Return, &title);
    EXPECT_EQ(boxes.show("Yes, this.\r\nNo, that.", 292, "Question?"), answerNo);
    EXPECT_EQ(title, "Question?");

    answerNextBoxWith(Qt::Key_Return, &title);
    EXPECT_EQ(boxes.show("Note", 0, QString()), answerOk);
    EXPECT_EQ(title, "Bench");

    answerNextBoxWith(Qt::Key_Y);
    EXPECT_EQ(boxes.show("Yes or no?", 292, "Q"), answerYes);
}

TEST(ControlProperties, TwipsAndColoursReadBackExactlyAsSet) {
    QLabel label;
    setTwipsGeometry(&label, 2400, 720, 615, 255);
    EXPECT_EQ(label.geometry(), QRect(160, 48, 41, 17));
    setTwipsTop(&label, 1684);  // 112.27 pixels: the twips value survives the rounding
    EXPECT_EQ(twipsTop(&label), 1684);
    EXPECT_EQ(label.y(), 112);
    setForeColor(&label, 0xFF);
    EXPECT_EQ(foreColor(&label), 0xFFu);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

}  // namespace
}  // namespace vcm::test
