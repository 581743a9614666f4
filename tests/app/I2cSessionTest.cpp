// The real window on the kernel I2C back-end, built by the same factory the program uses, with the
// preloaded fake_i2c library answering the system calls at /dev/i2c-97: the whole road from a key press
// to the ioctl and back.
#include "FakeI2c.h"
#include "WindowFixture.h"
#include "adapter/selection/AdapterFactory.h"
#include "ui/CaptionButton.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

namespace vcm::test {
namespace {

constexpr ui::VbColor kLightGreen = 0x80FF80;
constexpr ui::VbColor kLightRed = 0x8080FF;

const adapter::AdapterSelection kFakeBus{adapter::AdapterChoice::I2cBus, QString::fromLatin1(FakeI2c::node)};
const adapter::AdapterSelection kSimulatedBoard{adapter::AdapterChoice::Simulated, {}};

/// The window on the adapter `selection` names, traced (lines without their time stamps), with the chip's
/// EEPROM at 0x80, shown.
class Bench {
  public:
    explicit Bench(const adapter::AdapterSelection& selection)
        : adapter(adapter::createAdapter(
              {selection, 0x80, true}, [] { return 0.0; },
              [this](const QString& line) { trace << line.mid(line.indexOf(u' ') + 1); },
              [this](const QString& line) { problems << line; })) {
        f.show();
    }

    QString box() const { return f.text("txtTest(0)"); }
    ui::VbColor colour(const char* name) const { return f.get<ui::CaptionButton>(name)->backColor(); }
    void click(const char* name) { f.click(name); }
    /// A key in the value box, routed as a real key press is.
    void key(Qt::Key k) {
        f.get("txtTest(0)")->setFocus();
        f.key(k);
    }

    /// A bench session: send 7D, program the EEPROM, read back, step up once, connect again.
    void work() {
        f.typeValue("7D");
        key(Qt::Key_Return);
        click("cmdWrite");
        click("cmdRead");
        key(Qt::Key_Up);
        click("cmdConnect");
    }

    QStringList trace;
    QStringList problems;
    adapter::AdapterSetup adapter;
    WindowFixture f{adapter};
};

class I2cSession : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(fake, nullptr) << "run with the fake_i2c library preloaded (LD_PRELOAD)";
        fake->powerOn(0x80);
    }
    const FakeI2c* fake = FakeI2c::find();
};

TEST_F(I2cSession, EachOperationPutsExactlyItsBytesOnTheBus) {
    Bench bench(kFakeBus);
    bench.work();
    EXPECT_EQ(fake->takeLog(), (QStringList{
                                   "open /dev/i2c-97 read-write",
                                   "functions",
                                   "transfer write 0x4F [00 7D]",  // send 7D: bit 0 travels in the address
                                   "chip: data register 0x7D",
                                   "transfer write 0x4F [00 7C]",  // the EEPROM write
                                   "chip: EEPROM 0x7D",
                                   "transfer write 0x4E [00] + read 0x4E 1",  // the read, one transfer
                                   "transfer write 0x4E [00 7F]",             // Up: 7E
                                   "chip: data register 0x7E",
                                   "close",  // CONNECT opens afresh
                                   "open /dev/i2c-97 read-write",
                                   "functions",
                               }));
    EXPECT_EQ(bench.box(), "7E");
    EXPECT_EQ(bench.colour("cmdConnect"), kLightGreen);
    // A real board is named nowhere: the caption is the plain one.
    EXPECT_EQ(bench.f.window->windowTitle(), QString::fromLatin1(app::FrmMain::caption));
    EXPECT_TRUE(bench.problems.isEmpty());
    EXPECT_TRUE(bench.f.messages.shown.empty());
    EXPECT_EQ(fake->openHandles(), 1);
}

// The trace of a session is the simulated board's, line for line. The simulated chip's "sim:" lines are
// not in it: they report what the model stored, which a real bus cannot see; they are held against what
// the emulated chip stored instead.
TEST_F(I2cSession, TraceIsTheSimulatedBoardsLineForLine) {
    Bench simulated(kSimulatedBoard);
    simulated.work();
    Bench real(kFakeBus);
    real.work();

    QStringList simulatedCalls;
    QStringList simulatedStores;
    for (const QString& line : simulated.trace) {
        if (line.startsWith(QLatin1String("sim: "))) {
            simulatedStores << line.mid(5);
        } else {
            simulatedCalls << line;
        }
    }
    QStringList chipStores;
    for (const QString& line : fake->takeLog()) {
        if (line.startsWith(QLatin1String("chip: "))) {
            chipStores << line.mid(6);
        }
    }
    EXPECT_EQ(real.trace, simulatedCalls);
    EXPECT_EQ(chipStores, simulatedStores);
    EXPECT_EQ(simulatedStores, (QStringList{"data register 0x7D", "EEPROM 0x7D", "data register 0x7E"}));
    EXPECT_EQ(real.trace.size(), 3 + 4 + 3);  // connection, the four bus calls, connection again
    EXPECT_EQ(real.f.pauses.pauses, simulated.f.pauses.pauses);
}

TEST_F(I2cSession, BusVanishingMidSessionChangesNothingShowsLightRedAndComesBack) {
    Bench bench(kFakeBus);
    bench.f.typeValue("7D");
    bench.key(Qt::Key_Return);
    auto* flashing = bench.f.window->findChild<QTimer*>("Timer1");
    ASSERT_TRUE(flashing->isActive());

    fake->setState(FakeI2c::State::Vanished);
    bench.trace.clear();
    bench.click("cmdRead");
    EXPECT_EQ(bench.trace, (QStringList{"crvHID_doI2CRead(0x4E, 0x00, 1, [00 00], [00], 0, 0) = 1",
                                        "i2c: read of 1 byte from 0x4E register 0x00 failed: " +
                                            QString::fromLocal8Bit(std::strerror(ENODEV))}));
    EXPECT_EQ(bench.box(), "7D");
    EXPECT_TRUE(flashing->isActive());

    bench.click("cmdConnect");
    EXPECT_EQ(bench.colour("cmdConnect"), kLightRed);
    EXPECT_EQ(bench.problems,
              QStringList{"/dev/i2c-97: no such I2C bus; plug in the bridge, and load the i2c-dev "
                          "module (sudo modprobe i2c-dev) if it is not loaded"});
    EXPECT_EQ(fake->openHandles(), 0);
    bench.trace.clear();
    bench.key(Qt::Key_Up);  // a send without a bus fails, and says so in the trace
    EXPECT_EQ(bench.trace, (QStringList{"crvHID_doI2CWrite(0x4E, 0x00, 1, [7F 00], [00], 0, 0) = 1",
                                        "i2c: no bus is open; nothing sent"}));

    fake->setState(FakeI2c::State::Present);
    bench.click("cmdConnect");
    EXPECT_EQ(bench.colour("cmdConnect"), kLightGreen);
    bench.click("cmdRead");
    EXPECT_EQ(bench.box(), "7D");  // the chip kept the value the failed step could not change
    EXPECT_EQ(fake->dataRegister(), 0x7D);
}

}  // namespace
}  // namespace vcm::test
