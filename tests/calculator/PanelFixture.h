#pragma once

#include "calculator/CalculatorControls.h"
#include "calculator/CalculatorPanel.h"
#include "dcp/ProgramGlobals.h"
#include "ui/ControlProperties.h"
#include "ui/LineControl.h"
#include "ui/MessageBoxService.h"

#include "CalcTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace vcm::test {

/// One message box as the panel asked for it, with the fields as they stood while it was open.
struct RecordedBox {
    QString text;
    int style;
    QString title;
    QString fieldsWhileOpen;
};

/// Answers boxes from a queue (OK, or No for a question, when it runs dry) and records them.
class RecordingMessageBox : public MessageBoxService {
  public:
    int show(const QString& text, int style, const QString& title) override {
        boxes.push_back({text, style, title, snapshot ? snapshot() : QString()});
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return style == styleOkOnly ? answerOk : answerNo;
    }

    std::vector<RecordedBox> boxes;
    std::deque<int> answers;
    std::function<QString()> snapshot;
};

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
        c.Line4 = new LineControl(&frame, 3120, 840, 3480, 840, 5, 0x000000FF);
        c.cmdCalculate = new QPushButton(QStringLiteral("Calculate"), &frame);
        setTwipsGeometry(c.txtVOUT, 3600, 720, 855, 285);
        setTwipsGeometry(c.lblVCOM, 2400, 720, 615, 255);
        globals.displayHex = vbTrue;
        panel = makePanel(QLocale(QLocale::English, QLocale::UnitedStates));
    }

    std::unique_ptr<CalculatorPanel> makePanel(const QLocale& locale) {
        return std::make_unique<CalculatorPanel>(c, globals, boxes, locale);
    }

    /// Everything a run writes besides the inputs and lblDVR2: output texts, colours and the marker.
    QString outputs() const {
        return QStringLiteral(
                   "IOUT %1 VRSET %2 VOUT %3 DVR %4 max %5 min %6 R1 %7 R2 %8 colours %9/%10/%11 "
                   "marker %12/%13/%14/%15")
            .arg(c.txtIOUT->text(), c.txtVRSET->text(), c.txtVOUT->text(), c.txtDVR->text(),
                 c.txtVoutMax->text(), c.txtVOutMin->text(), c.txtR1->text(), c.txtR2->text())
            .arg(foreColor(c.txtR1))
            .arg(foreColor(c.txtR2))
            .arg(foreColor(c.txtAVDD))
            .arg(twipsTop(c.txtVOUT))
            .arg(twipsTop(c.lblVCOM))
            .arg(c.Line4->y1())
            .arg(c.Line4->y2());
    }

    std::vector<QString> boxTexts() const {
        std::vector<QString> texts;
        for (const RecordedBox& box : boxes.boxes) {
            texts.push_back(box.text);
        }
        return texts;
    }

    QWidget frame;
    CalculatorControls c;
    ProgramGlobals globals;
    RecordingMessageBox boxes;
    std::unique_ptr<CalculatorPanel> panel;

  private:
    QLineEdit* field(const char* text) { return new QLineEdit(QString::fromUtf8(text), &frame); }
};

}  // namespace vcm::test
