#include "FakeSysfs.h"
#include "QtPrinters.h"
#include "adapter/linux/I2cBuses.h"
#include "adapter/selection/AdapterOptions.h"

#include <gtest/gtest.h>

#include <QCommandLineParser>

namespace vcm::test {
namespace {

using test::FakeSysfs;

TEST(I2cBuses, TargetIsANodePathABusNumberOrAuto) {
    struct Case {
        const char* text;
        const char* node;  // null: refused
    };
    const Case cases[] = {
        {"/dev/i2c-3", "/dev/i2c-3"},
        {"/dev/i2c-bridge", "/dev/i2c-bridge"},  // a udev link
        {"3", "/dev/i2c-3"},
        {"007", "/dev/i2c-7"},
        {"auto", "auto"},
        {"", nullptr},
        {"i2c-3", nullptr},
        {"-1", nullptr},
        {"3x", nullptr},
        {"Auto", nullptr},
        {"1234567", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        QString problem;
        const std::optional<QString> node = adapter::parseI2cTarget(QString::fromLatin1(c.text), problem);
        if (c.node == nullptr) {
            EXPECT_FALSE(node);
            EXPECT_EQ(problem,
                      QStringLiteral("Malformed I2C bus 'i2c:%1' (use i2c:/dev/i2c-N, i2c:N or i2c:auto).")
                          .arg(QString::fromLatin1(c.text)));
        } else {
            EXPECT_EQ(node, QString::fromLatin1(c.node));
        }
    }
}

#ifdef VCM_HAVE_I2C_DEV
TEST(I2cBuses, AdapterSelectionCarriesTheNode) {
    QString problem;
    EXPECT_EQ(adapter::parseAdapterSelection(QStringLiteral("i2c:5"), problem),
              (adapter::AdapterSelection{adapter::AdapterChoice::I2cBus, QStringLiteral("/dev/i2c-5")}));
    EXPECT_EQ(adapter::parseAdapterSelection(QStringLiteral("i2c:auto"), problem),
              (adapter::AdapterSelection{adapter::AdapterChoice::I2cBus, QStringLiteral("auto")}));
    EXPECT_FALSE(adapter::parseAdapterSelection(QStringLiteral("i2c:"), problem));
    EXPECT_FALSE(adapter::parseAdapterSelection(QStringLiteral("i2c"), problem));
}
#endif

TEST(I2cBuses, BridgeKindsFromTheNamesTheirDriversGive) {
    const std::pair<const char*, const char*> cases[] = {
        {"MCP2221 usb-i2c bridge", "MCP2221"},
        {"CP2112 SMBus Bridge on hidraw2", "CP2112"},
        {"i2c-tiny-usb at bus 001 device 005", "i2c-tiny-usb"},
        {"FT260 usb-i2c bridge", "FT260"},
        {"CH341 I2C USB bus 001 device 004", "CH341"},
        {"i2c-ch341-usb at bus 002 device 003", "CH341"},
        {"i2c-diolan-u2c at bus 001 device 002", "Diolan U2C"},
        {"SMBus I801 adapter at efa0", ""},
        {"Synopsys DesignWare I2C adapter", ""},
        {"i915 gmbus dpc", ""},
    };
    for (const auto& [name, kind] : cases) {
        EXPECT_EQ(adapter::bridgeKind(QString::fromLatin1(name)), QString::fromLatin1(kind)) << name;
    }
}

TEST(I2cBuses, ListingReadsEveryBusByNumberWhereverTheKernelPutItsName) {
    FakeSysfs sysfs;
    sysfs.addBus(10, QStringLiteral("MCP2221 usb-i2c bridge"));
    sysfs.addBus(2, QStringLiteral("SMBus I801 adapter at efa0"), true);
    sysfs.addBus(0, QStringLiteral("i915 gmbus dpc"));
    EXPECT_EQ(adapter::listI2cBuses(sysfs.root()),
              (std::vector<adapter::I2cBus>{{0, QStringLiteral("i915 gmbus dpc")},
                                            {2, QStringLiteral("SMBus I801 adapter at efa0")},
                                            {10, QStringLiteral("MCP2221 usb-i2c bridge")}}));
}

// `auto` at start-up, as every executable reads it: the one bridge is taken; none or several end the
// program with the buses listed.
TEST(I2cBuses, AutoNeedsExactlyOneBridge) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, const char*>> buses;
        const char* problem;  // null: found /dev/i2c-5
    };
    const Case cases[] = {
        {"no bus at all",
         {},
         "i2c:auto found no I2C bus at all. Plug in the bridge; if it is plugged in, load the i2c-dev "
         "module (sudo modprobe i2c-dev)."},
        {"buses but no bridge",
         {{0, "i915 gmbus dpc"}, {1, "SMBus I801 adapter at efa0"}},
         "i2c:auto found no USB to I2C bridge (MCP2221, CP2112, CP2615, CH341, FT232H, FT260, i2c-tiny-usb, "
         "Diolan U2C) among the I2C buses:\n"
         "  i2c-0\ti915 gmbus dpc\n"
         "  i2c-1\tSMBus I801 adapter at efa0\n"
         "Pick one with --adapter i2c:N."},
        {"one bridge", {{0, "i915 gmbus dpc"}, {5, "CP2112 SMBus Bridge on hidraw1"}}, nullptr},
        {"several bridges",
         {{0, "i915 gmbus dpc"}, {5, "CP2112 SMBus Bridge on hidraw1"}, {6, "MCP2221 usb-i2c bridge"}},
         "i2c:auto found several USB to I2C bridges:\n"
         "  i2c-5\tCP2112 SMBus Bridge on hidraw1\n"
         "  i2c-6\tMCP2221 usb-i2c bridge\n"
         "Pick one with --adapter i2c:N."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeSysfs sysfs;
        for (const auto& [number, name] : c.buses) {
            sysfs.addBus(number, QString::fromLatin1(name));
        }
        QString problem;
        const std::optional<QString> node = adapter::findBridgeBus(sysfs.root(), problem);
        EXPECT_EQ(node,
                  c.problem == nullptr ? std::optional<QString>(QStringLiteral("/dev/i2c-5")) : std::nullopt);
        EXPECT_EQ(problem, c.problem == nullptr ? QString() : QString::fromLatin1(c.problem));

#ifdef VCM_HAVE_I2C_DEV
        const adapter::AdapterOptionSet optionSet(sysfs.root());
        QCommandLineParser parser;
        optionSet.addTo(parser);
        ASSERT_TRUE(parser.parse(
            {QStringLiteral("program"), QStringLiteral("--adapter"), QStringLiteral("i2c:auto")}));
        QString optionProblem;
        const std::optional<adapter::AdapterOptions> options = optionSet.read(parser, optionProblem);
        EXPECT_EQ(options.has_value(), c.problem == nullptr);
        EXPECT_EQ(optionProblem, problem);
        if (options) {
            // The bridge is looked for again at each connection: it may come back as another bus.
            EXPECT_EQ(options->adapter,
                      (adapter::AdapterSelection{adapter::AdapterChoice::I2cBus, QStringLiteral("auto")}));
        }
#endif
    }
}

}  // namespace
}  // namespace vcm::test
