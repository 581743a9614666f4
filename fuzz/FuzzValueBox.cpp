// The value box of the real window on the simulated board: whatever text is pasted into it, the box and
// the slider agree, and a send or an EEPROM write puts exactly the slider's value on the bus (or, for a
// text that is no DCP value, nothing at all).
#include "FuzzCheck.h"
#include "WatchedBoard.h"
#include "WindowFixture.h"
#include "dcp/DcpText.h"
#include "ui/VbScrollBar.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using vcm::fuzz::require;

namespace {

struct Window {
    QLocale locale{QLocale::English, QLocale::UnitedStates};
    vcm::test::WatchedBoard board{0x80};
    vcm::test::WindowFixture fixture{board, {.locale = locale}};
    vcm::app::FrmMain& frm = *fixture.window;
    QLineEdit* box = fixture.get<QLineEdit>(QStringLiteral("txtTest(0)"));
    vcm::ui::VbScrollBar* slider = fixture.get<vcm::ui::VbScrollBar>(QStringLiteral("vscTest(0)"));

    bool hex() const { return frm.globals().displayHex != vcm::dcp::kVbFalse; }
    /// Empties what the doubles recorded for one input, so that a long run does not grow them.
    void forget() {
        fixture.messages.shown.clear();
        fixture.pauses.pauses.clear();
    }
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
        w.frm.control(hex ? QStringLiteral("opDisplayMode(0)") : QStringLiteral("opDisplayMode(1)")))
        ->setChecked(true);
    w.box->setText(vcm::dcp::dcpText((data[0] & 2) != 0 ? 0x80 : 0x00, hex));

    const QString pasted = vcm::fuzz::textOf(data + 1, size - 1);
    w.box->selectAll();
    w.box->insert(pasted);

    if (const auto shown = vcm::dcp::dcpValueOf(w.box->text(), w.hex(), w.locale)) {
        require(*shown == w.slider->value(), "the box and the slider show the same value", pasted);
    }
    w.board.watch([&](std::uint8_t value, bool) {
        require(value == w.slider->value(), "the bus gets the value the slider shows", pasted);
        require(vcm::dcp::dcpValueOf(w.box->text(), w.hex(), w.locale) == value,
                "the bus gets the value the box shows", pasted);
    });
    QTest::keyClick(w.box, Qt::Key_Return);
    qobject_cast<QPushButton*>(w.frm.control(QStringLiteral("cmdWrite")))->click();
    const auto now = vcm::dcp::sendableDcpValue(w.box->text(), w.hex(), w.locale);
    require(!now || w.board.chip().eeprom() == *now, "the EEPROM holds the value the box shows", pasted);
    w.board.watch({});
    w.forget();
    return 0;
}
