// The value box of the real window on the simulated board: whatever text is pasted into it, the box and
// the slider agree, and a send or an EEPROM write puts exactly the slider's value on the bus (or, for a
// text that is no DCP value, nothing at all).
#include "FuzzCheck.h"
#include "WatchedBoard.h"
#include "app/FrmMain.h"
#include "dcp/DcpText.h"
#include "ui/VbScrollBar.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>

using vcm::fuzz::require;

namespace {

class AnsweringMessages final : public vcm::MessageBoxService {
  public:
    int show(const QString&, int style, const QString&) override {
        return (style & 0x0F) == 4 ? vcm::answerNo : vcm::answerOk;
    }
};

class NoPauses final : public vcm::PauseService {
  public:
    void pause(int) override {}
};

struct Window {
    QLocale locale{QLocale::English, QLocale::UnitedStates};
    vcm::test::WatchedBoard board{0x80};
    AnsweringMessages messages;
    NoPauses pauses;
    std::unique_ptr<vcm::FrmMain> frm;
    QLineEdit* box = nullptr;
    vcm::VbScrollBar* slider = nullptr;

    Window() {
        vcm::FrmMainSetup setup;
        setup.adapter = &board;
        setup.messages = &messages;
        setup.pauses = &pauses;
        setup.locale = locale;
        setup.simulatedBoard = true;
        frm = std::make_unique<vcm::FrmMain>(setup);
        box = qobject_cast<QLineEdit*>(frm->control(QStringLiteral("txtTest(0)")));
        slider = qobject_cast<vcm::VbScrollBar*>(frm->control(QStringLiteral("vscTest(0)")));
    }
    bool hex() const { return frm->globals().displayHex != vcm::vbFalse; }
};

Window* window = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);  // lives as long as the process
    window = new Window;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    Window& w = *window;
    // The first byte chooses the mode and where the slider starts; the rest is pasted.
    const bool hex = (data[0] & 1) == 0;
    w.board.watch({});
    qobject_cast<QRadioButton*>(
        w.frm->control(hex ? QStringLiteral("opDisplayMode(0)") : QStringLiteral("opDisplayMode(1)")))
        ->setChecked(true);
    w.box->setText(vcm::dcpText((data[0] & 2) != 0 ? 0x80 : 0x00, hex));

    const QString pasted = vcm::fuzz::textOf(data + 1, size - 1);
    w.box->selectAll();
    w.box->insert(pasted);

    if (const auto shown = vcm::dcpValueOf(w.box->text(), w.hex(), w.locale)) {
        require(*shown == w.slider->value(), "the box and the slider show the same value", pasted);
    }
    w.board.watch([&](std::uint8_t value, bool) {
        require(value == w.slider->value(), "the bus gets the value the slider shows", pasted);
        require(vcm::dcpValueOf(w.box->text(), w.hex(), w.locale) == value,
                "the bus gets the value the box shows", pasted);
    });
    QTest::keyClick(w.box, Qt::Key_Return);
    qobject_cast<QPushButton*>(w.frm->control(QStringLiteral("cmdWrite")))->click();
    const auto now = vcm::sendableDcpValue(w.box->text(), w.hex(), w.locale);
    require(!now || w.board.chip().eeprom() == *now, "the EEPROM holds the value the box shows", pasted);
    w.board.watch({});
    return 0;
}
