#include "RunTool.h"
#include "adapter/linux/I2cBuses.h"
#include "station/JsonObject.h"
#ifdef VCM_HAVE_I2C_DEV
#include "adapter/linux/I2cDevText.h"
#endif

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cerrno>

namespace vcm::test {
namespace {

const QString kRead80 = QStringLiteral("crvHID_doI2CRead(0x4E, 0x00, 1, [80 00], [00], 0, 0) = 0");

QStringList withConnect(const QStringList& lines) {
    return connectTrace() + lines;
}

TEST(ToolRegister, ReadSendProgramPutTheWindowsBytesOnTheBus) {
    struct Case {
        QStringList arguments;
        QStringList trace;
        QString out;
    };
    const Case cases[] = {
        {{"read"}, withConnect({kRead80}), "80 (128)\n"},
        {{"read", "--eeprom", "07"},
         withConnect({"crvHID_doI2CRead(0x4E, 0x00, 1, [07 00], [00], 0, 0) = 0"}),
         "07 (7)\n"},
        {{"send", "7D"},
         withConnect({"crvHID_doI2CWrite(0x4F, 0x00, 1, [7D 00], [00], 0, 0) = 0", "sim: data register 0x7D",
                      "crvHID_doI2CRead(0x4E, 0x00, 1, [7D 00], [00], 0, 0) = 0"}),
         "7D (125) sent and verified\n"},
        {{"send", "0", "--dec"},
         withConnect({"crvHID_doI2CWrite(0x4E, 0x00, 1, [01 00], [00], 0, 0) = 0", "sim: data register 0x00",
                      "crvHID_doI2CRead(0x4E, 0x00, 1, [00 00], [00], 0, 0) = 0"}),
         "00 (0) sent and verified\n"},
        {{"program", "0x7d"},
         withConnect({"crvHID_doI2CWrite(0x4F, 0x00, 1, [7D 00], [00], 0, 0) = 0", "sim: data register 0x7D",
                      "crvHID_doI2CRead(0x4E, 0x00, 1, [7D 00], [00], 0, 0) = 0",
                      "crvHID_doI2CWrite(0x4F, 0x00, 1, [7C 00], [00], 0, 0) = 0", "sim: EEPROM 0x7D",
                      // After the EEPROM write: the board is still there and holds the value.
                      "crvHID_doI2CRead(0x4E, 0x00, 1, [7D 00], [00], 0, 0) = 0"}),
         "7D (125) sent, verified and programmed into the EEPROM\n"},
        {{"program", "128", "--dec"},
         withConnect({"crvHID_doI2CWrite(0x4E, 0x00, 1, [81 00], [00], 0, 0) = 0", "sim: data register 0x80",
                      kRead80, "crvHID_doI2CWrite(0x4E, 0x00, 1, [80 00], [00], 0, 0) = 0",
                      "sim: EEPROM 0x80", kRead80}),
         "80 (128) sent, verified and programmed into the EEPROM\n"},
        {{"program", "FF"},
         withConnect({"crvHID_doI2CWrite(0x4F, 0x00, 1, [FF 00], [00], 0, 0) = 0", "sim: data register 0xFF",
                      "crvHID_doI2CRead(0x4E, 0x00, 1, [FF 00], [00], 0, 0) = 0",
                      "crvHID_doI2CWrite(0x4F, 0x00, 1, [FE 00], [00], 0, 0) = 0", "sim: EEPROM 0xFF",
                      "crvHID_doI2CRead(0x4E, 0x00, 1, [FF 00], [00], 0, 0) = 0"}),
         "FF (255) sent, verified and programmed into the EEPROM\n"},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(c.arguments + QStringList{"--trace"});
        EXPECT_EQ(run.exitCode, 0) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.errLines(), c.trace) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, c.out);
    }
}

TEST(ToolRegister, JsonIsOneObjectOnStdout) {
    struct Case {
        QStringList arguments;
        QString out;
    };
    const Case cases[] = {
        {{"read", "--json"}, "{\"command\":\"read\",\"hex\":\"80\",\"value\":128,\"outcome\":\"pass\"}\n"},
        {{"--json", "send", "7D"},
         "{\"command\":\"send\",\"hex\":\"7D\",\"value\":125,\"verified\":true,\"outcome\":\"pass\"}\n"},
        {{"program", "7D", "--json"},
         "{\"command\":\"program\",\"hex\":\"7D\",\"value\":125,\"verified\":true,\"programmed\":true,"
         "\"outcome\":\"pass\"}\n"},
        {{"send", "7D", "--json", "--sim-fault", "writes-lost"},
         "{\"command\":\"send\",\"outcome\":\"fail\",\"failure\":\"readback\",\"error\":\"read-back: the "
         "data "
         "register holds 80, not 7D\",\"exitCode\":1}\n"},
        {{"read", "--json", "--sim-fault", "read-fails"},
         "{\"command\":\"read\",\"outcome\":\"error\",\"failure\":\"bus\",\"error\":\"read: reading the data "
         "register failed\",\"exitCode\":3}\n"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(runTool(c.arguments).out, c.out) << c.arguments.join(' ').toStdString();
    }
}

TEST(ToolRegister, NothingReachesTheEepromUnlessTheReadBackConfirmedTheValue) {
    struct Case {
        const char* fault;
        QStringList trace;
        QString err;
        int exitCode;  ///< the chip said no (1), or the bus failed (3)
    };
    const Case cases[] = {
        {"writes-lost", withConnect({"crvHID_doI2CWrite(0x4F, 0x00, 1, [7D 00], [00], 0, 0) = 0", kRead80}),
         "vcm7310: read-back: the data register holds 80, not 7D", 1},
        {"read-fails",
         withConnect({"crvHID_doI2CWrite(0x4F, 0x00, 1, [7D 00], [00], 0, 0) = 0", "sim: data register 0x7D",
                      "crvHID_doI2CRead(0x4E, 0x00, 1, [00 00], [00], 0, 0) = 1"}),
         "vcm7310: read-back: reading the data register after sending 7D failed", 3},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString board = dir.filePath(QStringLiteral("board.json"));
        const ToolRun run = runTool(
            {"program", "7D", "--trace", "--sim-state", board, "--sim-fault", QString::fromUtf8(c.fault)});
        EXPECT_EQ(run.exitCode, c.exitCode) << c.fault;
        EXPECT_EQ(run.errLines(), c.trace + QStringList{c.err}) << c.fault;
        EXPECT_EQ(run.out, QString());
        // The board file, as a later run finds it: the EEPROM still holds its power-on value.
        const ToolRun after = runTool({"read", "--json", "--sim-state", board});
        EXPECT_TRUE(
            after.out.contains(c.fault == QStringLiteral("read-fails") ? "\"hex\":\"7D\"" : "\"hex\":\"80\""))
            << after.out.toStdString();
        QFile file(board);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(file.readAll().contains("\"eeprom\": 128")) << c.fault;
    }
}

TEST(ToolRegister, AStationThatCannotReachTheChipExitsWithThree) {
    struct Case {
        QStringList arguments;
        QStringList err;
    };
    const Case cases[] = {
        {{"read", "--adapter", "none", "--trace"},
         {"crvHID_connect() = 0", "vcm7310: connect: no adapter found"}},
        {{"send", "7D", "--adapter", "none"}, {"vcm7310: connect: no adapter found"}},
        {{"read", "--sim-fault", "read-fails"}, {"vcm7310: read: reading the data register failed"}},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.exitCode, 3) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.errLines(), c.err) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, QString());
    }
}

#ifdef VCM_HAVE_I2C_DEV
// A bus that is not there is a failed connection whichever way it was named: exit 3, and one line that says
// why, which the JSON object carries too.
TEST(ToolRegister, ABusThatIsNotThereIsAFailedConnection) {
    QString noBridge;
    if (adapter::findBridgeBus(adapter::kSysfsRoot, noBridge)) {
        GTEST_SKIP() << "a USB to I2C bridge is plugged in, so i2c:auto would find it";
    }
    struct Case {
        const char* adapter;
        QString reason;
    };
    const Case cases[] = {
        {"i2c:auto", noBridge.replace(QRegularExpression(QStringLiteral("\\s*\n\\s*")), QStringLiteral(" "))},
        {"i2c:/dev/i2c-99",
         adapter::i2cConnectFailure(QStringLiteral("/dev/i2c-99"), adapter::I2cConnectStep::Open, ENOENT)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.adapter);
        const ToolRun run = runTool({"--adapter", QString::fromLatin1(c.adapter), "read"});
        EXPECT_EQ(run.exitCode, 3);
        EXPECT_EQ(run.err, QStringLiteral("vcm7310: connect: %1\n").arg(c.reason));
        EXPECT_EQ(run.out, QString());
        const ToolRun json = runTool({"read", "--json", "--adapter", QString::fromLatin1(c.adapter)});
        EXPECT_EQ(json.exitCode, 3);
        EXPECT_EQ(json.out,
                  QStringLiteral("{\"command\":\"read\",\"outcome\":\"error\",\"failure\":\"adapter\","
                                 "\"error\":%1,\"exitCode\":3}\n")
                      .arg(station::jsonString(QStringLiteral("connect: ") + c.reason)));
    }
}
#endif

TEST(ToolRegister, TheBoardFileCarriesTheChipFromOneRunToTheNext) {
    QTemporaryDir dir;
    const QString board = dir.filePath(QStringLiteral("board.json"));
    ASSERT_EQ(runTool({"program", "3C", "--sim-state", board}).exitCode, 0);
    ASSERT_EQ(runTool({"send", "A5", "--sim-state", board}).exitCode, 0);
    // The register keeps its value.
    EXPECT_EQ(runTool({"read", "--sim-state", board}).out, QStringLiteral("A5 (165)\n"));
    // --eeprom, a power-on value, would be dropped on a board that stays powered: it is refused, before
    // the bus.
    const ToolRun powerOnValue = runTool({"read", "--trace", "--sim-state", board, "--eeprom", "11"});
    EXPECT_EQ(powerOnValue.exitCode, 2);
    EXPECT_EQ(
        powerOnValue.errLines(),
        QStringList{QStringLiteral("vcm7310: --eeprom: the board file '%1' already holds the board (EEPROM "
                                   "3C); leave out --eeprom (and add --sim-power-cycle to reload the data "
                                   "register from that EEPROM), or remove the file for a new board")
                        .arg(board)});
    // A power cycle loads the data register from the EEPROM, as a real board's power-on does, and the
    // board stays so.
    const ToolRun cycled = runTool({"read", "--trace", "--sim-state", board, "--sim-power-cycle"});
    EXPECT_EQ(cycled.exitCode, 0);
    EXPECT_EQ(cycled.out, QStringLiteral("3C (60)\n"));
    EXPECT_EQ(cycled.errLines().value(0),
              QStringLiteral("sim: power cycle, data register 0x3C from the EEPROM"));
    EXPECT_EQ(runTool({"read", "--sim-state", board}).out, QStringLiteral("3C (60)\n"));
    QFile file(board);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\"eeprom\": 60"));
}

}  // namespace
}  // namespace vcm::test
