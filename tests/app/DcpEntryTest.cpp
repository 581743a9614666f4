#include "SimulatedWindow.h"
#include "ui/CaptionButton.h"
#include "ui/VbScrollBar.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

QString writeCall(const char* address, const char* bytes) {
    return QStringLiteral("crvHID_doI2CWrite(%1, 0x00, 1, [%2], [00], 0, 0) = 0").arg(address, bytes);
}

class DcpEntry : public ::testing::Test {
  protected:
    void SetUp() override {
        f.show();
        box()->setFocus();
        ASSERT_TRUE(box()->hasFocus());
    }
    QLineEdit* box() const { return f.get<QLineEdit>("txtTest(0)"); }
    ui::VbScrollBar* slider() const { return f.get<ui::VbScrollBar>("vscTest(0)"); }
    ui::CaptionButton* eepromButton() const { return f.get<ui::CaptionButton>("cmdWrite"); }
    QTimer* timer() const { return f.window->findChild<QTimer*>("Timer1"); }
    bool reminderShown() const { return !f.get("LabelEnterReminder")->isHidden(); }

    void tick() {
        QTimerEvent event(timer()->timerId());
        QCoreApplication::sendEvent(timer(), &event);
    }
    void selectDecimal() { QTest::mouseClick(f.get("opDisplayMode(1)"), Qt::LeftButton, {}, QPoint(5, 8)); }

    SimulatedWindow f{0x80, true};
};

TEST_F(DcpEntry, SendAndEepromBytesSplitTheValueOverAddressAndData) {
    struct Case {
        const char* typed;
        const char* address;
        const char* sendData;
        const char* eepromData;
        const char* stored;
    };
    const Case cases[] = {
        {"7D", "0x4F", "7D 00", "7C 00", "0x7D"},
        {"80", "0x4E", "81 00", "80 00", "0x80"},
        {"0", "0x4E", "01 00", "00 00", "0x00"},
        {"FF", "0x4F", "FF 00", "FE 00", "0xFF"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        f.typeValue(c.typed);
        f.forget();
        f.key(Qt::Key_Return);
        EXPECT_EQ(f.busCalls(), (QStringList{writeCall(c.address, c.sendData),
                                             QStringLiteral("sim: data register %1").arg(c.stored)}));
        f.forget();
        QTest::mouseClick(eepromButton(), Qt::LeftButton);
        EXPECT_EQ(f.busCalls(), (QStringList{writeCall(c.address, c.eepromData),
                                             QStringLiteral("sim: EEPROM %1").arg(c.stored)}));
        EXPECT_EQ(f.pauses.pauses, std::vector<int>{100});
    }
}

TEST_F(DcpEntry, TypingEditsWithoutSendingAndClampsAboveFF) {
    f.typeValue("0A");
    EXPECT_EQ(box()->text(), "0A");
    box()->end(false);
    f.forget();
    f.type("5");
    EXPECT_EQ(box()->text(), "A5");
    EXPECT_EQ(slider()->value(), 165);
    f.type("3");
    EXPECT_EQ(box()->text(), "FF");
    EXPECT_EQ(slider()->value(), 255);
    EXPECT_TRUE(f.busCalls().isEmpty());
    EXPECT_TRUE(reminderShown());
    EXPECT_EQ(f.pauses.pauses, (std::vector<int>{50, 50}));
}

TEST_F(DcpEntry, KeyFiltersUpperCaseHexAndSwallowTheRest) {
    f.typeValue("a");
    EXPECT_EQ(box()->text(), "0A");
    box()->selectAll();
    f.type("g-. ");
    EXPECT_EQ(box()->text(), "0A");
    selectDecimal();
    box()->setFocus();
    f.typeValue("1a2");
    EXPECT_EQ(box()->text(), "12");
}

TEST_F(DcpEntry, DeleteEditsTheBoxAndShowsTheReminder) {
    f.typeValue("7D");
    box()->setCursorPosition(0);
    // Qt reports Delete with the character 127; the box must still delete, not swallow it.
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QString(QChar(0x7F)));
    QApplication::sendEvent(box(), &press);
    EXPECT_EQ(box()->text(), "0D");
    EXPECT_EQ(slider()->value(), 0x0D);
    EXPECT_TRUE(reminderShown());
}

TEST_F(DcpEntry, TextOfSeveralCharactersAtOnceIsFilteredCharacterByCharacter) {
    f.typeValue("0");
    box()->end(false);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("a-\u00e9"));
    QApplication::sendEvent(box(), &press);
    EXPECT_EQ(box()->text(), "0A");
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("z1"));
    QApplication::sendEvent(box(), &composed);
    EXPECT_EQ(box()->text(), "A1");
}

TEST_F(DcpEntry, ZeroTypedAfterZerosStaysAsTyped) {
    box()->end(false);
    f.type("0");
    EXPECT_EQ(box()->text(), "000");
    EXPECT_EQ(slider()->value(), 0);
}

TEST_F(DcpEntry, ClearingTheBoxGivesZero) {
    f.typeValue("10");
    box()->selectAll();
    f.key(Qt::Key_Delete);
    EXPECT_EQ(box()->text(), "00");  // the slider moved from 16 to 0, so the box shows two digits
    EXPECT_EQ(slider()->value(), 0);
    box()->selectAll();
    f.key(Qt::Key_Delete);
    EXPECT_EQ(box()->text(), "0");  // the slider was already at 0
    selectDecimal();
    box()->setFocus();
    f.typeValue("25");
    box()->selectAll();
    f.key(Qt::Key_Backspace);
    EXPECT_EQ(box()->text(), "0");
    EXPECT_EQ(slider()->value(), 0);
}

TEST_F(DcpEntry, StepKeysClampAtBothEndsAndStillSend) {
    struct Case {
        bool decimal;
        const char* start;
        Qt::Key key;
        const char* result;
        const char* sentData;
    };
    const Case cases[] = {
        {false, "FF", Qt::Key_Up, "FF", "FF 00"},      {false, "00", Qt::Key_Down, "00", "01 00"},
        {false, "F5", Qt::Key_PageUp, "FF", "FF 00"},  {false, "05", Qt::Key_PageDown, "00", "01 00"},
        {false, "7C", Qt::Key_Up, "7D", "7D 00"},      {false, "90", Qt::Key_PageDown, "80", "81 00"},
        {true, "5", Qt::Key_PageDown, "0", "01 00"},   {true, "255", Qt::Key_Up, "255", "FF 00"},
        {true, "250", Qt::Key_PageUp, "255", "FF 00"}, {true, "128", Qt::Key_Down, "127", "7F 00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.start) + (c.decimal ? " dec" : " hex"));
        if (c.decimal && !f.get<QRadioButton>("opDisplayMode(1)")->isChecked()) {
            selectDecimal();
            box()->setFocus();
        }
        f.typeValue(c.start);
        f.forget();
        f.key(c.key);
        EXPECT_EQ(box()->text(), c.result);
        ASSERT_EQ(f.busCalls().size(), 2);
        EXPECT_TRUE(f.busCalls()[0].contains(QStringLiteral("[%1]").arg(c.sentData)));
        EXPECT_FALSE(reminderShown());
        EXPECT_EQ(f.pauses.pauses, std::vector<int>{50});
    }
}

TEST_F(DcpEntry, EnterResendsAnUnchangedValueAndRestartsTheIndication) {
    f.typeValue("42");
    f.key(Qt::Key_Return);
    QTest::mouseClick(eepromButton(), Qt::LeftButton);
    ASSERT_FALSE(timer()->isActive());
    box()->setFocus();
    f.forget();
    f.key(Qt::Key_Return);
    EXPECT_EQ(f.busCalls().size(), 2);
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(eepromButton()->backColor(), ui::kVbButtonFace);
    EXPECT_EQ(f.pauses.pauses, std::vector<int>{50});
}

TEST_F(DcpEntry, TheEepromButtonFlashesFromASendUntilTheNextEepromWrite) {
    EXPECT_EQ(eepromButton()->backColor(), 0x000000FFu);  // red from start-up
    f.key(Qt::Key_Up);
    EXPECT_TRUE(timer()->isActive());
    EXPECT_EQ(eepromButton()->backColor(), ui::kVbButtonFace);
    const ui::VbColor expected[] = {0xC0FFFF, ui::kVbButtonFace, 0xC0FFFF, ui::kVbButtonFace};
    for (const ui::VbColor colour : expected) {
        tick();
        EXPECT_EQ(eepromButton()->backColor(), colour);
    }
    tick();
    box()->setFocus();
    f.key(Qt::Key_Up);  // a send while bright goes back to button face; the next tick turns it bright
    EXPECT_EQ(eepromButton()->backColor(), ui::kVbButtonFace);
    tick();
    EXPECT_EQ(eepromButton()->backColor(), 0xC0FFFFu);
    QTest::mouseClick(eepromButton(), Qt::LeftButton);
    EXPECT_FALSE(timer()->isActive());
    EXPECT_EQ(eepromButton()->backColor(), ui::kVbButtonFace);
}

TEST_F(DcpEntry, AnEepromWriteFromTheRedStartUpStateLeavesButtonFace) {
    QTest::mouseClick(eepromButton(), Qt::LeftButton);
    EXPECT_EQ(eepromButton()->backColor(), ui::kVbButtonFace);
    EXPECT_FALSE(timer()->isActive());
}

TEST_F(DcpEntry, ReadShowsTheRegisterInEitherModeAndEndsSteady) {
    SimulatedWindow g(0x07, true);  // the chip powers up with 0x07 in its data register
    g.show();
    auto* read = g.get<ui::CaptionButton>("cmdRead");
    g.forget();
    QTest::mouseClick(read, Qt::LeftButton);
    // The new value moved the slider while the send flag was True: it is written back once.
    EXPECT_EQ(g.busCalls(), (QStringList{"crvHID_doI2CRead(0x4E, 0x00, 1, [07 00], [00], 0, 0) = 0",
                                         writeCall("0x4F", "07 00"), "sim: data register 0x07"}));
    EXPECT_EQ(g.text("txtTest(0)"), "07");
    EXPECT_EQ(g.get<ui::VbScrollBar>("vscTest(0)")->value(), 7);
    EXPECT_FALSE(g.window->findChild<QTimer*>("Timer1")->isActive());
    EXPECT_EQ(g.get<ui::CaptionButton>("cmdWrite")->backColor(), ui::kVbButtonFace);
    EXPECT_TRUE(g.pauses.pauses.empty());

    // Reading the value the box already shows moves nothing and sends nothing.
    g.forget();
    QTest::mouseClick(read, Qt::LeftButton);
    EXPECT_EQ(g.busCalls(), QStringList{"crvHID_doI2CRead(0x4E, 0x00, 1, [07 00], [00], 0, 0) = 0"});

    QTest::mouseClick(g.get("opDisplayMode(1)"), Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_EQ(g.text("txtTest(0)"), "7");
    QTest::mouseClick(read, Qt::LeftButton);
    EXPECT_EQ(g.text("txtTest(0)"), "7");
}

TEST_F(DcpEntry, AFailedReadChangesNothing) {
    f.typeValue("3C");
    f.key(Qt::Key_Return);
    const QString voutBefore = f.text("txtVOUT");
    f.board.plugged = false;
    f.forget();
    f.click("cmdRead");
    EXPECT_EQ(f.calls, QStringList{"crvHID_doI2CRead(0x4E, 0x00, 1, [00 00], [00], 0, 0) = 1"});
    EXPECT_EQ(box()->text(), "3C");
    EXPECT_EQ(slider()->value(), 0x3C);
    EXPECT_EQ(f.text("txtVOUT"), voutBefore);
    EXPECT_TRUE(timer()->isActive());
    EXPECT_TRUE(f.messages.shown.empty());
}

TEST_F(DcpEntry, TheReminderShowsOnTypingAndHidesOnlyOnSendingKeysOrTheWheel) {
    f.type("1");
    EXPECT_TRUE(reminderShown());
    // Clicking the slider's arrow sends (the box lost the focus) but leaves the reminder.
    f.forget();
    QTest::mouseClick(slider(), Qt::LeftButton, {}, QPoint(slider()->width() / 2, 3));
    EXPECT_EQ(f.busCalls().size(), 2);
    EXPECT_TRUE(reminderShown());
    f.click("cmdRead");
    EXPECT_TRUE(reminderShown());
    f.window->MouseWheelRolled(-120);
    EXPECT_FALSE(reminderShown());
    box()->setFocus();
    f.key(Qt::Key_Left);
    EXPECT_TRUE(reminderShown());
    f.key(Qt::Key_Return);
    EXPECT_FALSE(reminderShown());
}

TEST_F(DcpEntry, TheSliderSendsOnlyWhileTheBoxHasHadNoKeySinceItLostTheFocus) {
    const QPoint topArrow(slider()->width() / 2, 3);
    // From start-up the flag is True: the slider's arrow sends (value +1 at the top arrow).
    f.forget();
    QTest::mouseClick(slider(), Qt::LeftButton, {}, topArrow);
    EXPECT_EQ(box()->text(), "01");
    EXPECT_EQ(f.busCalls(), (QStringList{writeCall("0x4F", "01 00"), "sim: data register 0x01"}));
    // A wheel step while the slider has the focus clears the flag: the arrow then only updates.
    f.window->MouseWheelRolled(-120);
    EXPECT_EQ(box()->text(), "02");
    f.forget();
    QTest::mouseClick(slider(), Qt::LeftButton, {}, topArrow);
    EXPECT_EQ(box()->text(), "03");
    EXPECT_EQ(f.text("txtDVR"), "03");
    EXPECT_TRUE(f.busCalls().isEmpty());
    // The box gets the focus and loses it again: sending resumes.
    QTest::mouseClick(box(), Qt::LeftButton);
    QTest::mouseClick(slider(), Qt::LeftButton, {}, topArrow);
    EXPECT_EQ(box()->text(), "04");
    EXPECT_EQ(f.busCalls(), (QStringList{writeCall("0x4E", "05 00"), "sim: data register 0x04"}));
}

TEST_F(DcpEntry, SliderKeysAndTroughMoveTheValueTheWayTheyPoint) {
    slider()->setFocus();
    QTest::keyClick(slider(), Qt::Key_Up);
    EXPECT_EQ(slider()->value(), 1);
    QTest::keyClick(slider(), Qt::Key_PageUp);
    EXPECT_EQ(slider()->value(), 17);
    QTest::keyClick(slider(), Qt::Key_Down);
    EXPECT_EQ(slider()->value(), 16);
    // A click in the trough above the thumb raises by 16; the thumb is at the bottom near 0.
    QTest::mouseClick(slider(), Qt::LeftButton, {}, QPoint(slider()->width() / 2, 30));
    EXPECT_EQ(slider()->value(), 32);
    EXPECT_EQ(box()->text(), "20");
}

// Whatever is pasted, the box and the slider end on one value, and Enter and "Write to EEPROM" put exactly
// that value on the bus, or nothing at all with a message.
TEST_F(DcpEntry, APastedTextLeavesBoxSliderAndBusAgreeing) {
    const QString huge(1 << 20, QChar(0x4E2D));
    struct Case {
        bool hex;
        QString start;  // where box and slider stand before the paste
        QString pasted;
        QString shown;  // what the change rule leaves in the box
        int slider;
        bool refused;  // nothing may reach the bus
    };
    const Case cases[] = {
        {true, "00", "zz", "zz", 0, true},
        {true, "00", QStringLiteral("\u00e9\u00e8"), QStringLiteral("\u00e9\u00e8"), 0, true},
        {true, "00", huge, huge.left(box()->maxLength()), 0, true},
        {true, "00", "1.5", "01", 1, false},    // reads as its leading hex digit, and the slider reformats it
        {true, "00", "7 D", "7D", 125, false},  // blanks are ignored when the text is read
        {true, "7D", "7 D", "7 D", 125, false},
        // A no-break or ideographic space is not a blank: the text reads as 0.
        {true, "00", QStringLiteral("\u00A07D"), QStringLiteral("\u00A07D"), 0, true},
        {true, "7D", QStringLiteral("\u00A07D"), "00", 0, false},
        {true, "00", QStringLiteral("\u30007D"), QStringLiteral("\u30007D"), 0, true},
        {true, "00", "0000000007D", "FF", 255, false},
        {true, "00", "7\r8", "07", 7, false},  // a carriage return ends the number
        {true, "07", "7\r8", "7\r8", 7, true},
        {false, "0", QStringLiteral("\u00A0300"), "0", 0, false},
        {false, "9", QStringLiteral("\u00A0300"), "0", 0, false},
        {false, "0", "300", "255", 255, false},
        {false, "2", "2.0", "2.0", 2, false},
        {false, "7", "+7", "+7", 7, false},
        {false, "10", "1e1", "1e1", 10, false},
        {false, "0", "2.0", "2", 2, false},
        {false, "2", "1.5", "1.5", 2, true},  // a fraction is not sent
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.hex ? "hex " : "dec ") + c.pasted.left(12).toStdString() + " over " +
                     c.start.toStdString());
        if (f.get<QRadioButton>(c.hex ? "opDisplayMode(0)" : "opDisplayMode(1)")->isChecked() == false) {
            QTest::mouseClick(f.get(c.hex ? "opDisplayMode(0)" : "opDisplayMode(1)"), Qt::LeftButton, {},
                              QPoint(5, 8));
        }
        box()->setText(c.start);
        box()->setFocus();
        QApplication::clipboard()->setText(c.pasted);
        box()->selectAll();
        box()->paste();
        EXPECT_EQ(box()->text(), c.shown);
        EXPECT_EQ(slider()->value(), c.slider);
        f.forget();
        f.key(Qt::Key_Return);
        QTest::mouseClick(eepromButton(), Qt::LeftButton);
        if (c.refused) {
            EXPECT_TRUE(f.busCalls().isEmpty());
            ASSERT_EQ(f.messages.shown.size(), 2u);
            EXPECT_TRUE(
                f.messages.shown[0].text.contains(c.hex ? "not a hexadecimal value" : "not a decimal value"));
            EXPECT_LT(f.messages.shown[0].text.size(), 200);
        } else {
            const QString stored =
                "0x" + QString::number(c.slider, 16).rightJustified(2, QLatin1Char('0')).toUpper();
            EXPECT_TRUE(f.messages.shown.empty());
            const QStringList bus = f.busCalls();
            ASSERT_EQ(bus.size(), 4);
            EXPECT_EQ(bus[1], "sim: data register " + stored);
            EXPECT_EQ(bus[3], "sim: EEPROM " + stored);
        }
        EXPECT_EQ(box()->text(), c.shown);
        EXPECT_EQ(slider()->value(), c.slider);
    }
}

TEST_F(DcpEntry, PastedTextInDecimalModeIsReadAsTheLocaleWritesNumbers) {
    selectDecimal();
    const std::pair<QString, QString> cases[] = {
        {"abc", "0"}, {"1,5", "15"}, {"1,000", "255"}, {"300", "255"}};
    for (const auto& [pasted, shown] : cases) {
        QApplication::clipboard()->setText(pasted);
        box()->selectAll();
        box()->paste();
        EXPECT_EQ(box()->text(), shown) << pasted.toStdString();
    }
}

}  // namespace
}  // namespace vcm::test
