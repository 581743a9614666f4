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

#include <functional>

namespace vcm::test {
namespace {

TEST(VbScrollBar, TopEndIsTheFirstBoundAndEveryControlMovesTheWayItPoints) {
    QWidget window;
    ui::VbScrollBar bar(255, 0, 0, &window);
    bar.setGeometry(0, 0, 25, 129);
    bar.setSingleStep(1);
    bar.setPageStep(16);
    window.show();
    QSignalSpy changed(&bar, &ui::VbScrollBar::changed);
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
    ui::VbScrollBar bar(255, 0, 0);
    QSignalSpy changed(&bar, &ui::VbScrollBar::changed);
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
        EXPECT_EQ(ui::virtualKeyCode(qtKey), code) << qtKey;
    }
}

TEST(KeyEventBridge, KeyDownComesFirstThenAFilteredCharacterIsTypedOrSwallowed) {
    QLineEdit box;
    std::vector<int> downs;
    ui::KeyEventBridge bridge(
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
    ui::QtMessageBox boxes(&window);
    QString title;
    answerNextBoxWith(Qt::Key_Return, &title);
    EXPECT_EQ(boxes.show("Yes, this.\r\nNo, that.", 292, "Question?"), ui::kAnswerNo);
    EXPECT_EQ(title, "Question?");

    answerNextBoxWith(Qt::Key_Return, &title);
    EXPECT_EQ(boxes.show("Note", 0, QString()), ui::kAnswerOk);
    EXPECT_EQ(title, "Bench");

    answerNextBoxWith(Qt::Key_Y);
    EXPECT_EQ(boxes.show("Yes or no?", 292, "Q"), ui::kAnswerYes);
}

TEST(ControlProperties, TwipsAndColoursReadBackExactlyAsSet) {
    QLabel label;
    ui::setTwipsGeometry(&label, 2400, 720, 615, 255);
    EXPECT_EQ(label.geometry(), QRect(160, 48, 41, 17));
    ui::setTwipsTop(&label, 1684);  // 112.27 pixels: the twips value survives the rounding
    EXPECT_EQ(ui::twipsTop(&label), 1684);
    EXPECT_EQ(label.y(), 112);
    EXPECT_EQ(
        QRect(ui::twipsLeft(&label), ui::twipsTop(&label), ui::twipsWidth(&label), ui::twipsHeight(&label)),
        QRect(2400, 1684, 615, 255));
    QLabel unplaced;  // never placed in twips: its pixel geometry, in twips
    unplaced.setGeometry(10, 20, 30, 40);
    ui::setTwipsTop(&unplaced, 600);
    EXPECT_EQ(unplaced.geometry(), QRect(10, 40, 30, 40));
    EXPECT_EQ(ui::twipsWidth(&unplaced), 450);
    ui::setForeColor(&label, 0xFF);
    EXPECT_EQ(ui::foreColor(&label), 0xFFu);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

// A calculation writes its result fields through setControlText, which skips the text layout when the text
// stays; the box must end exactly as setText leaves it, with the same signals in the same order.
TEST(ControlProperties, SetControlTextLeavesABoxAsSetTextDoes) {
    struct Case {
        const char* name;
        QString before;
        QString assigned;
        std::function<void(QLineEdit&)> prepare;
    };
    const Case cases[] = {
        {"same text, cursor inside", "1.2345", "1.2345", [](QLineEdit& b) { b.setCursorPosition(2); }},
        {"same text, selected", "1.2345", "1.2345", [](QLineEdit& b) { b.setSelection(1, 3); }},
        {"same text, marked modified", "8", "8", [](QLineEdit& b) { b.setModified(true); }},
        {"same text after an edit undone", "8", "8",
         [](QLineEdit& b) {
             b.insert("9");
             b.undo();
         }},
        {"same text, read only", "0.0000", "0.0000", [](QLineEdit& b) { b.setReadOnly(true); }},
        {"new text", "1.2345", "1.2346", [](QLineEdit& b) { b.setSelection(0, 2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QLineEdit viaSetText;
        QLineEdit viaControlText;
        QStringList events[2];
        QLineEdit* boxes[] = {&viaSetText, &viaControlText};
        for (int i = 0; i < 2; ++i) {
            boxes[i]->setText(c.before);
            c.prepare(*boxes[i]);
            QStringList& log = events[i];
            QObject::connect(boxes[i], &QLineEdit::textChanged,
                             [&log](const QString& t) { log << "text " + t; });
            QObject::connect(boxes[i], &QLineEdit::cursorPositionChanged, [&log](int from, int to) {
                log << QStringLiteral("cursor %1 %2").arg(from).arg(to);
            });
            QObject::connect(boxes[i], &QLineEdit::selectionChanged, [&log] { log << "selection"; });
        }
        viaSetText.setText(c.assigned);
        ui::setControlText(&viaControlText, c.assigned);
        EXPECT_EQ(events[1], events[0]);
        EXPECT_EQ(viaControlText.text(), viaSetText.text());
        EXPECT_EQ(viaControlText.cursorPosition(), viaSetText.cursorPosition());
        EXPECT_EQ(viaControlText.selectedText(), viaSetText.selectedText());
        EXPECT_EQ(viaControlText.isModified(), viaSetText.isModified());
        EXPECT_EQ(viaControlText.isUndoAvailable(), viaSetText.isUndoAvailable());
        EXPECT_EQ(viaControlText.isRedoAvailable(), viaSetText.isRedoAvailable());
    }
}

}  // namespace
}  // namespace vcm::test
