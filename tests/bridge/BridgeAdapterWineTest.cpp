// The program's client of the bridge against the real bridge and the stand-in library's variants.

#include "adapter/bridge/BridgeAdapter.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <QTemporaryDir>

namespace vcm::test {
namespace {

QString variant(const char* name) {
    return QStringLiteral(VCM_STANDIN_DIR "/") + QLatin1String(name);
}

struct Client {
    explicit Client(const QString& library, adapter::BridgeTimeouts timeouts = adapter::BridgeTimeouts())
        : adapter(
              adapter::bridgeCommand(QCoreApplication::applicationDirPath(), library, {}),
              [this](const QString& line) { notes << line; }, timeouts) {}

    std::int16_t read(std::uint8_t reg, adapter::ByteArray& data) {
        std::uint8_t device = 0x4E;
        std::uint8_t count = 1;
        adapter::ByteArray spare{0x00};
        std::int16_t module = 0;
        std::int32_t status = 0;
        return adapter.crvHID_doI2CRead(device, reg, count, data, spare, module, status);
    }

    QStringList notes;
    adapter::BridgeAdapter adapter;
};

TEST(BridgeAdapter, WritesBackEveryArgumentTheLibraryChanged) {
    Client client(variant("standin"));
    EXPECT_EQ(client.adapter.crvHID_connect(), 1);
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    std::int32_t mask = -1;
    std::int16_t module = 0;
    EXPECT_EQ(client.adapter.crvHID_setGPIOConfiguration(first, second, mask, module), 0);
    EXPECT_EQ(first, 0x3C);
    EXPECT_EQ(second, 0x00);
    EXPECT_EQ(mask, 0x000FFFFF);

    std::uint8_t device = 0x4E;
    std::uint8_t reg = 0x00;
    std::uint8_t count = 1;
    adapter::ByteArray data{0x00, 0xEE};
    adapter::ByteArray spare{0x00};
    std::int32_t status = 0;
    EXPECT_EQ(client.adapter.crvHID_doI2CRead(device, reg, count, data, spare, module, status), 0);
    EXPECT_EQ(data, (adapter::ByteArray{0x80, 0xEE}));
    EXPECT_EQ(status, 1);
    EXPECT_FALSE(client.adapter.unavailable());
    EXPECT_TRUE(client.notes.isEmpty());
}

// Whatever the library does, the call fails within about one call timeout: a hung call is not also waited
// for to end (it cannot read the end of its input), so it costs one timeout, not two. The bound, 1.5
// timeouts, leaves room for a slow machine and still tells one timeout from two.
TEST(BridgeAdapter, AMisbehavingLibraryFailsTheCallSaysWhyAndConnectStartsAFreshBridge) {
    constexpr int callTimeout = 2000;
    struct Case {
        std::uint8_t reg;  // the faulty stand-in's trigger
        const char* note;
    };
    const Case cases[] = {
        {0xE1, "bridge: ended during crvHID_doI2CRead (exit code 7); the call failed"},
        {0xE2,
         "bridge: no answer to crvHID_doI2CRead within 2000 ms; the bridge was stopped and the call "
         "failed"},
        {0xE3, "bridge: answered crvHID_doI2CRead with 'fail crash C0000005'; the call failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.note);
        Client client(variant("faulty"), adapter::BridgeTimeouts{30000, callTimeout});
        ASSERT_EQ(client.adapter.crvHID_connect(), 1);
        adapter::ByteArray data{0x00, 0x00};
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(client.read(c.reg, data), 1);
        EXPECT_LT(clock.elapsed(), callTimeout * 3 / 2);
        EXPECT_EQ(data, (adapter::ByteArray{0x00, 0x00}));
        // Until CONNECT, every call fails at once without a bridge.
        EXPECT_EQ(client.read(0x00, data), 1);
        EXPECT_EQ(client.notes,
                  (QStringList{c.note,
                               "bridge: not running, so crvHID_doI2CRead failed; CONNECT starts it again"}));
        EXPECT_EQ(client.adapter.crvHID_connect(), 1);
        EXPECT_EQ(client.read(0x00, data), 0);
        EXPECT_EQ(data[0], 0x80);
        // Only the first call can make the library unavailable.
        EXPECT_FALSE(client.adapter.unavailable());
    }
}

TEST(BridgeAdapter, AnArrayTheLibraryReplacedComesBackAsItIs) {
    Client client(variant("faulty"));
    adapter::ByteArray data{0x00, 0x00};
    EXPECT_EQ(client.read(0xE4, data), 0);
    EXPECT_EQ(data, (adapter::ByteArray{0x01, 0x02, 0x03}));
}

TEST(BridgeAdapter, ALibraryOrFunctionThatCannotBeHadMakesTheFirstCallFailWithAMessageNamingIt) {
    const QTemporaryDir empty;
    struct Case {
        QString library;
        QStringList mentions;
    };
    const Case cases[] = {
        {empty.path(),
         {"The adapter library Z:", "crvhid.dll could not be loaded (Windows error 126)",
          "Put the crvhid.dll that came with the board beside", "vcm7310-adapter-bridge.exe",
          "--adapter crvhid:PATH"}},
        {variant("lacking"),
         {"The adapter library Z:", "lacking\\crvhid.dll has no function crvHID_doI2CRead",
          "Use the crvhid.dll that came with the board."}},
#ifdef VCM_OTHER_STANDIN_DIR
        // The stand-in of the other word size: the message names the library's and the bridge's.
        {QStringLiteral(VCM_OTHER_STANDIN_DIR "/standin"),
         {"The adapter library Z:",
          QStringLiteral("\\standin\\crvhid.dll could not be loaded: it is a %1-bit library, and the "
                         "adapter bridge is %2-bit.")
              .arg(VCM_OTHER_WORD_SIZE)
              .arg(VCM_WORD_SIZE),
          "Put the crvhid.dll that came with the board beside"}},
#endif
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.library.toStdString());
        Client client(c.library);
        EXPECT_EQ(client.adapter.crvHID_connect(), 0);
        ASSERT_TRUE(client.adapter.unavailable());
        const QString message = *client.adapter.unavailable();
        for (const QString& mention : c.mentions) {
            EXPECT_TRUE(message.contains(mention))
                << message.toStdString() << "\nlacks: " << mention.toStdString();
        }
        ASSERT_FALSE(client.notes.isEmpty());
        EXPECT_EQ(client.notes.last(), QStringLiteral("bridge: ") + message);
    }
}

}  // namespace
}  // namespace vcm::test
