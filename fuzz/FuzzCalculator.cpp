// The divider calculator from arbitrary field texts: a run either writes finite numbers that read back
// into every field it touches, or stops with a message; never NaN or infinity in a field.
#include "FuzzCheck.h"
#include "ServiceDoubles.h"
#include "calculator/CalculatorPanel.h"
#include "dcp/LocaleNumber.h"
#include "dcp/ProgramGlobals.h"
#include "ui/LineControl.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>
#include <cmath>
#include <memory>

using vcm::fuzz::require;

namespace {

struct Panel {
    QWidget frame;
    vcm::calc::CalculatorControls c;
    vcm::dcp::ProgramGlobals globals;
    /// Questions answered Yes or No by the bits the input gives.
    vcm::test::ScriptedMessages messages;
    QLocale locale{QLocale::English, QLocale::UnitedStates};
    std::unique_ptr<vcm::calc::CalculatorPanel> panel;

    Panel() {
        for (QLineEdit** field : fields()) {
            *field = new QLineEdit(&frame);
        }
        c.txtIOUT = new QLineEdit(&frame);
        c.txtVRSET = new QLineEdit(&frame);
        c.txtVOUT = new QLineEdit(&frame);
        c.txtDVR = new QLineEdit(&frame);
        c.txtTest = new QLineEdit(&frame);
        c.lblDVR2 = new QLabel(&frame);
        c.lblVCOM = new QLabel(&frame);
        c.Line4 = new vcm::ui::LineControl(&frame, 3120, 840, 3480, 840, 5, 0);
        c.cmdCalculate = new QPushButton(&frame);
        panel = std::make_unique<vcm::calc::CalculatorPanel>(c, globals, messages, locale);
    }
    /// The fields a user types into, in the order the input gives their texts.
    std::array<QLineEdit**, 6> fields() {
        return {&c.txtAVDD, &c.txtRSET, &c.txtR1, &c.txtR2, &c.txtVoutMax, &c.txtVOutMin};
    }
    /// Every field that holds a number once a run has written its results.
    std::array<QLineEdit*, 9> numberFields() {
        return {c.txtAVDD,    c.txtRSET, c.txtR1,    c.txtR2,  c.txtVoutMax,
                c.txtVOutMin, c.txtIOUT, c.txtVRSET, c.txtVOUT};
    }
};

Panel* panel = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);  // lives as long as the process
    panel = new Panel;
    return 0;
}

/// The input: a first character whose bits choose the mode (bit 0: decimal), the calculation (bit 1:
/// reverse) and the answers to questions (bits 2..), then the texts of AVDD, RSET, R1, R2, VOUTmax,
/// VOUTmin and the DCP box, separated by "|".
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    Panel& p = *panel;
    const unsigned control = data[0];
    const QStringList texts = vcm::fuzz::textOf(data + 1, size - 1).split(QLatin1Char('|'));
    const QString fallbacks[] = {QStringLiteral("8"),      QStringLiteral("10000"), QStringLiteral("83000"),
                                 QStringLiteral("133000"), QStringLiteral("4"),     QStringLiteral("0")};
    auto fields = p.fields();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        (*fields[i])->setText(static_cast<qsizetype>(i) < texts.size() ? texts[i] : fallbacks[i]);
    }
    p.c.txtTest->setText(texts.size() > 6 ? texts[6] : QStringLiteral("80"));
    p.globals.displayHex = (control & 1) != 0 ? vcm::dcp::kVbFalse : vcm::dcp::kVbTrue;
    p.messages.answerQuestions(control >> 2);
    for (QLineEdit* out : {p.c.txtIOUT, p.c.txtVRSET, p.c.txtVOUT}) {
        out->setText(QStringLiteral("x"));
    }

    if ((control & 2) != 0) {
        p.panel->updateResistorsFromRange();
    } else {
        p.panel->updateRangeFromResistors();
    }

    const bool wroteResults = p.c.txtVOUT->text() != QStringLiteral("x");
    const QString fieldTexts = [&] {
        QStringList all;
        for (QLineEdit* f : p.numberFields()) {
            all << f->text();
        }
        return all.join(QLatin1Char('|'));
    }();
    if (wroteResults) {
        // Every field holds a number the next run reads back; none shows NaN or infinity.
        for (QLineEdit* f : p.numberFields()) {
            const auto value = vcm::dcp::localeNumber(f->text(), p.locale);
            require(value.has_value() && std::isfinite(*value), "every field reads back as a finite number",
                    fieldTexts);
        }
    } else {
        require(!p.messages.shown.empty(), "a run that writes no result says why", fieldTexts);
        for (QLineEdit* out : {p.c.txtIOUT, p.c.txtVRSET, p.c.txtVOUT}) {
            require(out->text() == QStringLiteral("x"), "a stopped run writes no result", fieldTexts);
        }
    }
    p.messages.shown.clear();
    return 0;
}
