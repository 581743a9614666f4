// The kernel I2C back-end down to its system calls, on the fake bus that the preloaded fake_i2c library
// answers at /dev/i2c-97.
#include "FakeI2c.h"
#include "FakeSysfs.h"
#include "I2cCallArgs.h"
#include "QtPrinters.h"
#include "adapter/linux/I2cDevAdapter.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace vcm::test {
namespace {

using test::FakeI2c;

const QString kNode = QString::fromLatin1(FakeI2c::node);
const QString kOpened = QStringLiteral("open /dev/i2c-97 read-write");
const QString kAsked = QStringLiteral("functions");

QString kernelText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

using test::I2CArgs;

class I2cDev : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NE(fake, nullptr) << "run with the fake_i2c library preloaded (LD_PRELOAD)";
        fake->powerOn(0x80);
    }
    void TearDown() override {
        adapter.reset();
        if (fake != nullptr) {
            EXPECT_EQ(fake->openHandles(), 0) << "the adapter leaked a handle";
        }
    }

    std::unique_ptr<adapter::I2cDevAdapter> makeAdapter(adapter::I2cBusLocator locate) {
        return std::make_unique<adapter::I2cDevAdapter>(
            std::move(locate), [this](const QString& line) { problems << line; },
            [this](const QString& line) { notes << line; });
    }

    const FakeI2c* fake = FakeI2c::find();
    QStringList problems;
    QStringList notes;
    std::unique_ptr<adapter::I2cDevAdapter> adapter = makeAdapter(adapter::locateI2cBus(kNode));
};

TEST_F(I2cDev, ConnectOpensTheNodeReadWriteAndAsksForPlainI2cWithoutTouchingTheChip) {
    EXPECT_EQ(adapter->crvHID_connect(), 1);
    std::int16_t module = 0;
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    std::int32_t mask = -1;
    EXPECT_EQ(adapter->crvHID_indicateSelectedModule(module), 0);
    EXPECT_EQ(adapter->crvHID_setGPIOConfiguration(first, second, mask, module), 0);
    EXPECT_EQ(fake->takeLog(), (QStringList{kOpened, kAsked}));
    EXPECT_EQ(fake->openHandles(), 1);
    EXPECT_TRUE(problems.isEmpty());
}

TEST_F(I2cDev, FailedConnectionSaysWhyInOneLineAndKeepsNothingOpen) {
    const std::pair<FakeI2c::State, QString> cases[] = {
        {FakeI2c::State::Vanished,
         QStringLiteral("/dev/i2c-97: no such I2C bus; plug in the bridge, and load "
                        "the i2c-dev module (sudo modprobe i2c-dev) if it is not loaded")},
        {FakeI2c::State::Denied,
         QStringLiteral("/dev/i2c-97: permission denied; add yourself to the i2c group or see README")},
        {FakeI2c::State::NotI2c, QStringLiteral("/dev/i2c-97: not an I2C bus (%1)").arg(kernelText(ENOTTY))},
        {FakeI2c::State::SmbusOnly,
         QStringLiteral("/dev/i2c-97: the bus can do SMBus transfers only, not the "
                        "plain I2C transfers the chip needs")},
    };
    for (const auto& [state, line] : cases) {
        SCOPED_TRACE(line.toStdString());
        problems.clear();
        fake->setState(state);
        EXPECT_EQ(adapter->crvHID_connect(), 0);
        EXPECT_EQ(problems, QStringList{line});
        EXPECT_EQ(fake->openHandles(), 0);
        // Nothing reaches a chip through a failed connection.
        I2CArgs read;
        EXPECT_EQ(read.read(*adapter), 1);
    }
}

TEST_F(I2cDev, EveryConnectionClosesTheHandleBeforeOpeningAgain) {
    EXPECT_EQ(adapter->crvHID_connect(), 1);
    EXPECT_EQ(adapter->crvHID_connect(), 1);
    EXPECT_EQ(fake->takeLog(), (QStringList{kOpened, kAsked, QStringLiteral("close"), kOpened, kAsked}));
    EXPECT_EQ(fake->openHandles(), 1);
    adapter.reset();
    EXPECT_EQ(fake->takeLog(), QStringList{QStringLiteral("close")});
}

TEST_F(I2cDev, WriteIsOneMessageOfRegisterAndDataAtTheSevenBitAddressAsGiven) {
    ASSERT_EQ(adapter->crvHID_connect(), 1);
    (void)fake->takeLog();
    I2CArgs send;
    send.device = 0x4F;
    send.data = {0x7D, 0x00};
    EXPECT_EQ(send.write(*adapter), 0);
    I2CArgs eeprom;
    eeprom.data = {0x80, 0x00};
    EXPECT_EQ(eeprom.write(*adapter), 0);
    EXPECT_EQ(fake->takeLog(), (QStringList{"transfer write 0x4F [00 7D]", "chip: data register 0x7D",
                                            "transfer write 0x4E [00 80]", "chip: EEPROM 0x80"}));
    EXPECT_EQ(send.data, (adapter::ByteArray{0x7D, 0x00}));
    EXPECT_TRUE(notes.isEmpty());
}

TEST_F(I2cDev, ReadIsOneCombinedTransferThatFillsOnlyTheCountedBytes) {
    ASSERT_EQ(adapter->crvHID_connect(), 1);
    (void)fake->takeLog();
    I2CArgs read;
    read.data = {0x00, 0xA5};
    EXPECT_EQ(read.read(*adapter), 0);
    EXPECT_EQ(read.data, (adapter::ByteArray{0x80, 0xA5}));
    EXPECT_EQ(fake->takeLog(), QStringList{"transfer write 0x4E [00] + read 0x4E 1"});
}

TEST_F(I2cDev, NackAtAnotherAddressFailsLeavesTheDataAndTracesTheKernelText) {
    ASSERT_EQ(adapter->crvHID_connect(), 1);
    (void)fake->takeLog();
    I2CArgs read;
    read.device = 0x50;
    read.data = {0x11, 0x22};
    EXPECT_EQ(read.read(*adapter), 1);
    EXPECT_EQ(read.data, (adapter::ByteArray{0x11, 0x22}));
    I2CArgs write;
    write.device = 0x50;
    write.data = {0x01, 0x00};
    EXPECT_EQ(write.write(*adapter), 1);
    // The write after the NACK still reached the bus: a NACK does not close it.
    EXPECT_EQ(fake->openHandles(), 1);
    EXPECT_EQ(fake->takeLog(), (QStringList{"transfer write 0x50 [00] + read 0x50 1 -> NACK",
                                            "transfer write 0x50 [00 01] -> NACK"}));
    EXPECT_EQ(notes, (QStringList{
                         "i2c: read of 1 byte from 0x50 register 0x00 failed: " + kernelText(ENXIO),
                         "i2c: write to 0x50 [00 01] failed: " + kernelText(ENXIO),
                     }));
}

TEST_F(I2cDev, CallsThatCannotBeRightNeverReachTheBus) {
    struct Case {
        std::uint8_t device;
        std::uint8_t count;
        adapter::ByteArray data;
        bool connect;
        const char* note;
    };
    const Case cases[] = {
        {0x4E, 0, {0x00, 0x00}, true, "i2c: count 0 with 2 data bytes; nothing sent"},
        {0x4E, 3, {0x00, 0x00}, true, "i2c: count 3 with 2 data bytes; nothing sent"},
        // 0x9C is 0x4E shifted: a driver would shift it again and lose the top bit.
        {0x9C, 1, {0x00, 0x00}, true, "i2c: 0x9C is not a 7-bit I2C address; nothing sent"},
        {0x4E, 1, {0x00, 0x00}, false, "i2c: no bus is open; nothing sent"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        adapter = makeAdapter(adapter::locateI2cBus(kNode));
        if (c.connect) {
            ASSERT_EQ(adapter->crvHID_connect(), 1);
        }
        (void)fake->takeLog();
        notes.clear();
        I2CArgs args;
        args.device = c.device;
        args.count = c.count;
        args.data = c.data;
        EXPECT_EQ(args.read(*adapter), 1);
        EXPECT_EQ(args.data, c.data);
        EXPECT_EQ(args.write(*adapter), 1);
        EXPECT_EQ(fake->takeLog(), QStringList{});
        EXPECT_EQ(notes, (QStringList{c.note, c.note}));
    }
}

TEST_F(I2cDev, BusVanishingMidSessionIsLetGoAtOnceAndFailsEachCallUntilConnectedAgain) {
    ASSERT_EQ(adapter->crvHID_connect(), 1);
    fake->setState(FakeI2c::State::Vanished);
    I2CArgs read;
    read.data = {0x33, 0x00};
    EXPECT_EQ(read.read(*adapter), 1);
    EXPECT_EQ(read.data, (adapter::ByteArray{0x33, 0x00}));
    // The kernel's unplugging waits for the last handle to the bus.
    EXPECT_EQ(fake->openHandles(), 0);
    I2CArgs send;
    send.data = {0x01, 0x00};
    EXPECT_EQ(send.write(*adapter), 1);
    EXPECT_EQ(notes, (QStringList{"i2c: read of 1 byte from 0x4E register 0x00 failed: " + kernelText(ENODEV),
                                  "i2c: no bus is open; nothing sent"}));

    EXPECT_EQ(adapter->crvHID_connect(), 0);
    EXPECT_EQ(problems.size(), 1);

    fake->setState(FakeI2c::State::Present);
    (void)fake->takeLog();
    EXPECT_EQ(adapter->crvHID_connect(), 1);
    EXPECT_EQ(read.read(*adapter), 0);
    EXPECT_EQ(read.data, (adapter::ByteArray{0x80, 0x00}));
    EXPECT_EQ(fake->takeLog(), (QStringList{kOpened, kAsked, "transfer write 0x4E [00] + read 0x4E 1"}));
}

TEST_F(I2cDev, AutoLooksForTheBridgeAgainAtEveryConnection) {
    test::FakeSysfs sysfs;
    sysfs.addBus(97, QStringLiteral("MCP2221 usb-i2c bridge"));
    adapter = makeAdapter(adapter::locateI2cBus(QStringLiteral("auto"), sysfs.root()));
    EXPECT_EQ(adapter->crvHID_connect(), 1);
    EXPECT_EQ(fake->takeLog(), (QStringList{kOpened, kAsked}));

    sysfs.removeBus(97);
    EXPECT_EQ(adapter->crvHID_connect(), 0);
    EXPECT_EQ(fake->takeLog(), QStringList{"close"});
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems[0].startsWith(QStringLiteral("i2c:auto found no I2C bus at all.")))
        << problems[0].toStdString();
}

}  // namespace
}  // namespace vcm::test
