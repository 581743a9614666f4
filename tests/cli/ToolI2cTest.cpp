#include "RunTool.h"

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

// The real tool on a real bus, down to the kernel's ioctl: the fake bus preloaded into the process
// answers on /dev/i2c-97 with a chip at 0x4E and 0x4F. The calls it traces are the ones the simulated
// board gets, without the simulated chip's own notes.
TEST(ToolI2c, EachCommandTracesOnARealBusAsOnTheSimulatedBoard) {
    const QList<std::pair<QString, QString>> fakeBus{
        {QStringLiteral("LD_PRELOAD"), QStringLiteral(VCM_FAKE_I2C_LIBRARY)},
        {QStringLiteral("FAKE_I2C_NODE"), QStringLiteral("/dev/i2c-97")},
        {QStringLiteral("FAKE_I2C_EEPROM"), QStringLiteral("80")},
    };
    const QStringList commands[] = {{"read"}, {"send", "7D"}, {"program", "7D"}, {"program", "128", "--dec"}};
    for (const QStringList& command : commands) {
        SCOPED_TRACE(command.join(' ').toStdString());
        const ToolRun simulated = runTool(command + QStringList{"--trace"});
        const ToolRun bus = runTool(command + QStringList{"--trace", "--adapter", "i2c:97"}, fakeBus);
        EXPECT_EQ(bus.exitCode, 0);
        EXPECT_EQ(bus.out, simulated.out);
        QStringList expected = simulated.errLines();
        expected.removeIf([](const QString& line) { return line.startsWith(QLatin1String("sim: ")); });
        EXPECT_EQ(bus.errLines(), expected);
    }
    // No chip at all on that bus: the read fails as a station's error (exit 3) and nothing else is tried.
    const ToolRun missing = runTool({"read", "--adapter", "i2c:96"}, fakeBus);
    EXPECT_EQ(missing.exitCode, 3);
    EXPECT_TRUE(missing.out.isEmpty());
}

}  // namespace
}  // namespace vcm::test
