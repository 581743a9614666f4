// The bridge's own protocol, spoken line by line to the real bridge with the stand-in library behind it.

#include "adapter/bridge/BridgeCommand.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QProcess>

namespace vcm::test {
namespace {

class BridgeWire : public ::testing::Test {
  protected:
    void SetUp() override {
        const adapter::BridgeCommand command = adapter::bridgeCommand(
            QCoreApplication::applicationDirPath(), QStringLiteral(VCM_STANDIN_DIR "/standin"), {});
        ASSERT_TRUE(command.problem.isEmpty()) << command.problem.toStdString();
        bridge.start(command.program, command.arguments);
        ASSERT_TRUE(bridge.waitForStarted(30000));
    }
    void TearDown() override {
        bridge.closeWriteChannel();
        if (!bridge.waitForFinished(10000)) {
            bridge.kill();
            bridge.waitForFinished();
        }
    }
    /// Sends one line and returns the answer line, without its line break.
    std::string ask(const std::string& request) {
        bridge.write((request + '\n').c_str());
        while (!bridge.canReadLine() && bridge.waitForReadyRead(30000)) {
        }
        return bridge.readLine().trimmed().toStdString();
    }
    QProcess bridge;
};

TEST_F(BridgeWire, EachCallAnswersWithTheResultAndEveryArgumentAsTheLibraryLeftIt) {
    const std::string greeting = ask("hello 1");
    EXPECT_EQ(greeting.substr(0, 5), "ok 1 ");
    EXPECT_TRUE(greeting.ends_with("\\standin\\crvhid.dll")) << greeting;

    struct Exchange {
        const char* request;
        const char* answer;
    };
    // The library returns its results with junk in the upper half of the register: only 16 bits count.
    // It writes back the replaced GPIO direction (60 = 0x3C), the pins it has of the mask, the bytes moved
    // as status; a read fills data(0) of the count + 1 elements and leaves data(1) alone.
    const Exchange exchanges[] = {
        {"call crvHID_connect", "ok 1"},
        {"call crvHID_indicateSelectedModule 0", "ok 0 0"},
        {"call crvHID_setGPIOConfiguration 0 0 -1 0", "ok 0 60 0 1048575 0"},
        {"call crvHID_doI2CRead 78 0 1 00EE 00 0 0", "ok 0 78 0 1 80EE 00 0 1"},
        {"call crvHID_doI2CWrite 79 0 1 7D00 00 0 0", "ok 0 79 0 1 7D00 00 0 1"},
        {"call crvHID_doI2CRead 78 0 1 0000 00 0 0", "ok 0 78 0 1 7D00 00 0 1"},
        {"call crvHID_doI2CWrite 78 0 1 7C00 00 0 0", "ok 0 78 0 1 7C00 00 0 1"},
        // An empty data array is refused by the library, which says so in the status.
        {"call crvHID_doI2CRead 78 0 1 - 00 0 0", "ok 1 78 0 1 - 00 0 -1"},
        {"call crvHID_doI2CRead 79 0 1 0000 00 0 0", "ok 1 79 0 1 0000 00 0 -1"},
        {"call crvHID_doI2CRead 78 0 1", "fail request bad arguments for crvHID_doI2CRead"},
        {"call crvHID_getLEDState 0", "fail request unknown function crvHID_getLEDState"},
    };
    for (const Exchange& e : exchanges) {
        EXPECT_EQ(ask(e.request), e.answer) << e.request;
    }
    // The chip's notes come on the bridge's error output, in the order the writes stored them.
    bridge.closeWriteChannel();
    ASSERT_TRUE(bridge.waitForFinished(10000));
    EXPECT_EQ(bridge.exitCode(), 0);
    EXPECT_EQ(bridge.readAllStandardError().toStdString(), "sim: data register 0x7D\nsim: EEPROM 0x7C\n");
}

TEST_F(BridgeWire, CallsBeforeAGreetingAndAnotherVersionAreRefused) {
    EXPECT_EQ(ask("call crvHID_connect"), "fail request no library loaded");
    EXPECT_EQ(ask("hello 2"), "fail version 1");
    EXPECT_EQ(ask("call crvHID_connect"), "fail request no library loaded");
    EXPECT_EQ(ask("hello 1").substr(0, 5), "ok 1 ");
    EXPECT_EQ(ask("call crvHID_connect"), "ok 1");
}

}  // namespace
}  // namespace vcm::test
