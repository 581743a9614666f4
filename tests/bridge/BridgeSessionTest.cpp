// The whole program stack, from the command-line options to the window, with the board maker's library
// stood in for through the bridge: a session traces exactly as the same session on the simulated board, but
// for the values the stand-in writes back into the arguments, which the trace shows as it left them.

#include "QtPrinters.h"
#include "WindowFixture.h"
#include "adapter/selection/AdapterFactory.h"

#include <gtest/gtest.h>

#include <QLineEdit>

namespace vcm::test {
namespace {

/// Start-up, a value sent, written to the EEPROM and read back, then CONNECT: the trace without time
/// stamps.
QStringList traceOfASession(const adapter::AdapterSelection& selection) {
    QStringList lines;
    const adapter::AdapterSetup adapter = adapter::createAdapter(
        {selection, 0x80, true}, [] { return 0.0; },
        [&lines](const QString& line) { lines << line.mid(line.indexOf(u' ') + 1); });
    test::WindowFixture f(adapter);
    EXPECT_FALSE(adapter.library().unavailable());
    EXPECT_TRUE(f.show());

    auto* box = f.get<QLineEdit>("txtTest(0)");
    f.typeValue("7D");
    f.key(Qt::Key_Return);
    f.click("cmdWrite");
    f.click("cmdRead");
    f.window->cmdConnect_Click();
    EXPECT_EQ(box->text(), QStringLiteral("7D"));
    EXPECT_TRUE(f.messages.shown.empty());
    return lines;
}

/// The simulated board's trace with what the stand-in library writes back and the simulated board does
/// not: the trace shows every argument as the library left it.
QStringList withTheStandInsWriteBacks(QStringList lines) {
    const struct {
        const char* simulated;
        const char* standIn;
    } writeBacks[] = {
        // The GPIO direction it replaced, and the pins of the mask the adapter has.
        {"crvHID_setGPIOConfiguration(0x00, 0x00, -1, 0)",
         "crvHID_setGPIOConfiguration(0x3C, 0x00, 1048575, 0)"},
        // The status of an I2C call that moved its one byte.
        {", [00], 0, 0) = 0", ", [00], 0, 1) = 0"},
    };
    for (QString& line : lines) {
        for (const auto& w : writeBacks) {
            line.replace(QLatin1String(w.simulated), QLatin1String(w.standIn));
        }
    }
    return lines;
}

TEST(BridgeSession, TracesLineForLineAsTheSimulatedBoard) {
    const QStringList simulated = traceOfASession({adapter::AdapterChoice::Simulated, {}});
    const QStringList bridged = traceOfASession(
        {adapter::AdapterChoice::MakerLibrary, QStringLiteral(VCM_STANDIN_DIR "/standin/crvhid.dll")});
    // The session reached the chip: a send, an EEPROM write and a read, each traced.
    EXPECT_TRUE(simulated.contains("sim: data register 0x7D"));
    EXPECT_TRUE(simulated.contains("sim: EEPROM 0x7D"));
    EXPECT_TRUE(simulated.contains("crvHID_doI2CRead(0x4E, 0x00, 1, [7D 00], [00], 0, 0) = 0"));
    EXPECT_TRUE(bridged.contains("crvHID_setGPIOConfiguration(0x3C, 0x00, 1048575, 0) = 0"));
    EXPECT_EQ(bridged, withTheStandInsWriteBacks(simulated));
}

}  // namespace
}  // namespace vcm::test
