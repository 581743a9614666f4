#pragma once

#include "calculator/CalculatorControls.h"
#include "calculator/CalculatorPanel.h"
#include "dcp/ProgramGlobals.h"
#include "ui/ControlProperties.h"
#include "ui/LineControl.h"

#include "CalcTestSupport.h"
#include "ServiceDoubles.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

namespace vcm::test {

/// Messages expected in order, each with the fields as they stood while it was open.
using ExpectedBoxes = std::vector<std::pair<const char*, const char*>>;

/// What either run writes for one DCP value on the design range: IOUT, VRSET, VOUT (VCOM), and where the
/// marker stands (the top of the VCOM box and its label, the height of the line).
struct DcpResult {
    const char *iout, *vrset, *vcom;
    int top, lineY;
};

constexpr DcpResult kDcp00{"0.00016", "0.0016", "4.9179", 720, 840};
constexpr DcpResult kDcp80{"0.02016", "0.2016", "3.8958", 1684, 1804};
constexpr DcpResult kDcpFF{"0.04000", "0.4000", "2.8817", 2640, 2760};

/// The calculator's controls as bare widgets on one frame, with their design-time texts and places, and
/// the DCP value box at "00" in hexadecimal mode.
class CalcPanelTest : public ::testing::Test {
  protected:
    CalcPanelTest() {
        c.txtAVDD = field("8");
        c.txtRSET = field("10000");
        c.txtR1 = field("83000");
        c.txtR2 = field("133000");
        c.txtVoutMax = field("18");
        c.txtVOutMin = field("18");
        c.txtIOUT = field("0");
        c.txtVRSET = field("0");
        c.txtVOUT = field("0");
        c.txtDVR = field("0");
        c.txtTest = field("00");
        c.lblDVR2 = new QLabel(QStringLiteral("DVR (hex)"), &frame);
        c.lblVCOM = new QLabel(QStringLiteral("VCOM"), &frame);
        c.Line4 = new ui::LineControl(&frame, 3120, 840, 3480, 840, 5, 0x000000FF);
        c.cmdCalculate = new QPushButton(QStringLiteral("Calculate"), &frame);
        ui::setTwipsGeometry(c.txtVOUT, 3600, 720, 855, 285);
        ui::setTwipsGeometry(c.lblVCOM, 2400, 720, 615, 255);
        globals.displayHex = dcp::kVbTrue;
        panel = makePanel(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    std::unique_ptr<calc::CalculatorPanel> makePanel(const QLocale& locale) {
        return std::make_unique<calc::CalculatorPanel>(c, globals, boxes, locale);
    }

    /// Everything a run writes besides the inputs and lblDVR2: output texts, colours and the marker.
    QString outputs() const {
        return QStringLiteral(
                   "IOUT %1 VRSET %2 VOUT %3 DVR %4 max %5 min %6 R1 %7 R2 %8 colours %9/%10/%11 "
                   "marker %12/%13/%14/%15")
            .arg(c.txtIOUT->text(), c.txtVRSET->text(), c.txtVOUT->text(), c.txtDVR->text(),
                 c.txtVoutMax->text(), c.txtVOutMin->text(), c.txtR1->text(), c.txtR2->text())
            .arg(ui::foreColor(c.txtR1))
            .arg(ui::foreColor(c.txtR2))
            .arg(ui::foreColor(c.txtAVDD))
            .arg(ui::twipsTop(c.txtVOUT))
            .arg(ui::twipsTop(c.lblVCOM))
            .arg(c.Line4->y1())
            .arg(c.Line4->y2());
    }

    std::vector<QString> boxTexts() const {
        std::vector<QString> texts;
        for (const ShownBox& box : boxes.shown) {
            texts.push_back(box.text);
        }
        return texts;
    }

    /// Types the "|"-separated texts into the fields, in order.
    static void typeInto(std::initializer_list<QLineEdit*> fields, const char* texts) {
        const QStringList parts = QString::fromUtf8(texts).split(u'|');
        ASSERT_EQ(parts.size(), static_cast<qsizetype>(fields.size())) << texts;
        qsizetype i = 0;
        for (QLineEdit* field : fields) {
            field->setText(parts[i++]);
        }
    }

    /// Keeps the texts of the fields, "|"-separated, as they stand while each message box is open.
    void watchWhileOpen(std::initializer_list<QLineEdit*> fields) {
        boxes.onShow = [this, watched = std::vector<QLineEdit*>(fields)](const ShownBox&) {
            QStringList texts;
            for (const QLineEdit* field : watched) {
                texts << field->text();
            }
            whileOpen.push_back(texts.join(u'|'));
        };
    }

    /// The OK-only messages, untitled, in order, each with the watched fields as they stood while it was
    /// open.
    void expectMessages(const ExpectedBoxes& expected) const {
        ASSERT_EQ(boxes.shown.size(), expected.size());
        ASSERT_EQ(whileOpen.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            EXPECT_EQ(boxes.shown[i].text, expected[i].first);
            EXPECT_EQ(whileOpen[i], expected[i].second);
            EXPECT_EQ(boxes.shown[i].style, ui::kStyleOkOnly);
            EXPECT_EQ(boxes.shown[i].title, QString());
        }
    }

    void expectDcpResult(const DcpResult& expected) const {
        EXPECT_EQ(c.txtIOUT->text(), expected.iout);
        EXPECT_EQ(c.txtVRSET->text(), expected.vrset);
        EXPECT_EQ(c.txtVOUT->text(), expected.vcom);
        EXPECT_EQ(ui::twipsTop(c.txtVOUT), expected.top);
        EXPECT_EQ(ui::twipsTop(c.lblVCOM), expected.top);
        EXPECT_EQ(c.Line4->y1(), expected.lineY);
        EXPECT_EQ(c.Line4->y2(), expected.lineY);
    }

    QWidget frame;
    calc::CalculatorControls c;
    dcp::ProgramGlobals globals;
    ScriptedMessages boxes;
    std::vector<QString> whileOpen;
    std::unique_ptr<calc::CalculatorPanel> panel;

  private:
    QLineEdit* field(const char* text) { return new QLineEdit(QString::fromUtf8(text), &frame); }
};

}  // namespace vcm::test
