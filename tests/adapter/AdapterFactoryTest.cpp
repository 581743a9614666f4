#include "I2cCallArgs.h"
#include "adapter/selection/AdapterFactory.h"
#include "adapter/sim/SimulatedAdapter.h"

#include <gtest/gtest.h>

#include <QStringList>

namespace vcm::test {
namespace {

struct Recorder {
    double now = 0.0;
    QStringList lines;
    adapter::TraceLog::Clock clock() {
        return [this] { return now += 0.1; };
    }
    adapter::TraceLog::Sink sink() {
        return [this](const QString& line) { lines.append(line); };
    }
};

std::int16_t readDataRegister(adapter::AdapterLibrary& library, adapter::ByteArray& data) {
    test::I2CArgs args;
    const std::int16_t result = args.read(library);
    data = args.data;
    return result;
}

TEST(AdapterFactory, SimulatedBoardStartsWithTheEepromValueAndTracesNothingByDefault) {
    Recorder recorder;
    const adapter::AdapterSetup setup = adapter::createAdapter(
        {{adapter::AdapterChoice::Simulated, {}}, 0x5C, false}, recorder.clock(), recorder.sink());
    EXPECT_TRUE(setup.library().isSimulatedBoard());
    EXPECT_EQ(setup.library().crvHID_connect(), 1);
    adapter::ByteArray data;
    EXPECT_EQ(readDataRegister(setup.library(), data), 0);
    EXPECT_EQ(data[0], 0x5C);
    EXPECT_TRUE(recorder.lines.isEmpty());
}

TEST(AdapterFactory, NoAdapter) {
    Recorder recorder;
    const adapter::AdapterSetup setup = adapter::createAdapter(
        {{adapter::AdapterChoice::Absent, {}}, 0x80, false}, recorder.clock(), recorder.sink());
    EXPECT_FALSE(setup.library().isSimulatedBoard());
    EXPECT_EQ(setup.library().crvHID_connect(), 0);
    adapter::ByteArray data;
    EXPECT_EQ(readDataRegister(setup.library(), data), 1);
}

TEST(AdapterFactory, TraceCarriesCallsAndChipNotesInOneLog) {
    Recorder recorder;
    const adapter::AdapterSetup setup = adapter::createAdapter(
        {{adapter::AdapterChoice::Simulated, {}}, 0x80, true}, recorder.clock(), recorder.sink());
    EXPECT_TRUE(setup.library().isSimulatedBoard());
    setup.library().crvHID_connect();
    test::I2CArgs send;
    send.device = 0x4F;
    send.data = {0x7D, 0x00};
    send.write(setup.library());

    EXPECT_EQ(recorder.lines, (QStringList{
                                  "0.1 crvHID_connect() = 1",
                                  "0.2 crvHID_doI2CWrite(0x4F, 0x00, 1, [7D 00], [00], 0, 0) = 0",
                                  "0.3 sim: data register 0x7D",
                              }));
}

TEST(AdapterFactory, AGivenMakerBuildsTheSimulatedBoardBehindTheTrace) {
    // The maker gets the power-on value and the trace's note sink; here it brings back a chip that was
    // powered all along, as the command-line tool does from its board file.
    Recorder recorder;
    std::uint8_t eepromSeen = 0;
    const adapter::SimulatedBoardMaker maker = [&](std::uint8_t eeprom,
                                                   adapter::SimulatedChip::NoteSink notes) {
        eepromSeen = eeprom;
        return std::make_unique<adapter::SimulatedAdapter>(
            adapter::SimulatedChip(adapter::SimulatedChip::State{0x3C, 0x11}, std::move(notes)));
    };
    const adapter::AdapterSetup setup =
        createAdapter({{adapter::AdapterChoice::Simulated, {}}, 0x5C, true}, recorder.clock(),
                      recorder.sink(), recorder.sink(), maker);
    EXPECT_EQ(eepromSeen, 0x5C);
    adapter::ByteArray data;
    EXPECT_EQ(readDataRegister(setup.library(), data), 0);
    EXPECT_EQ(data[0], 0x3C);
    std::uint8_t device = 0x4E;
    std::uint8_t reg = 0x00;
    std::uint8_t count = 1;
    adapter::ByteArray eepromByte{0x80, 0x00};
    adapter::ByteArray spare{0x00};
    std::int16_t module = 0;
    std::int32_t status = 0;
    setup.library().crvHID_doI2CWrite(device, reg, count, eepromByte, spare, module, status);
    EXPECT_EQ(recorder.lines.last(), QStringLiteral("0.3 sim: EEPROM 0x80"));
    EXPECT_EQ(dynamic_cast<const adapter::SimulatedAdapter&>(*setup.board).chip().state(),
              (adapter::SimulatedChip::State{0x3C, 0x80}));
}

}  // namespace
}  // namespace vcm::test
