#include "RunTool.h"
#include "adapter/selection/AdapterSelection.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace vcm::test {
namespace {

TEST(ToolUsage, UsageErrorsExitWithTwoAndTouchNothing) {
    struct Case {
        QStringList arguments;
        QString err;
    };
    const Case cases[] = {
        {{}, "vcm7310: No command given.\nTry 'vcm7310 --help' for more information.\n"},
        {{"bogus"}, "vcm7310: Unknown command 'bogus'.\nTry 'vcm7310 --help' for more information.\n"},
        {{"calc"},
         "vcm7310: calc needs 'forward' or 'reverse'.\nTry 'vcm7310 --help' for more information.\n"},
        {{"read", "--bogus"},
         "vcm7310: Unknown option 'bogus'.\nTry 'vcm7310 read --help' for more information.\n"},
        {{"--dec", "send", "7D"},
         "vcm7310: Unknown option 'dec'.\nTry 'vcm7310 --help' for more information.\n"},
        {{"read", "7D"},
         "vcm7310: Unexpected argument '7D'.\nTry 'vcm7310 read --help' for more information.\n"},
        {{"send"}, "vcm7310: send needs VALUE.\nTry 'vcm7310 send --help' for more information.\n"},
        {{"send", "7D", "80"},
         "vcm7310: Unexpected argument '80'.\nTry 'vcm7310 send --help' for more information.\n"},
        {{"send", "256", "--dec"},
         "vcm7310: VALUE '256' is out of range (with --dec give 0 to 255).\n"
         "Try 'vcm7310 send --help' for more information.\n"},
        // A negative number is a value, not an option.
        {{"send", "-1"},
         "vcm7310: VALUE '-1' is out of range (give 00 to FF, or 0 to 255 with --dec).\n"
         "Try 'vcm7310 send --help' for more information.\n"},
        // The sweep's --from and --to keep the same rule; it has no --dec to point to.
        {{"sweep", "--to", "100"},
         "vcm7310: --to value '100' is out of range (give 00 to FF).\n"
         "Try 'vcm7310 sweep --help' for more information.\n"},
        {{"read", "-1"},
         "vcm7310: Unexpected argument '-1'.\nTry 'vcm7310 read --help' for more information.\n"},
        {{"sim-measure", "--sim-state"},
         "vcm7310: Missing value after '--sim-state'.\n"
         "Try 'vcm7310 sim-measure --help' for more information.\n"},
        // A bad input is quoted short and on one line, whatever was pasted.
        {{"send", "7D\n" + QString(60, u'x')},
         "vcm7310: Bad VALUE '7D\\n" + QString(37, u'x') +
             "...' (give two hexadecimal digits from 00 to FF, such as 7D or 0x7D, or a decimal number with "
             "--dec).\nTry 'vcm7310 send --help' for more information.\n"},
        {{"read", "--sim-fault", "smoke\tfire"},
         "vcm7310: Unknown --sim-fault 'smoke\\tfire' (use read-fails, writes-lost or eeprom-fails).\n"
         "Try 'vcm7310 read --help' for more information.\n"},
        {{"read", "--eeprom", "100"},
         "vcm7310: The --eeprom value '100' is out of range (give 00 to FF).\n"
         "Try 'vcm7310 read --help' for more information.\n"},
        {{"program", ""},
         "vcm7310: Bad VALUE '' (give two hexadecimal digits from 00 to FF, such as 7D or 0x7D, or a decimal "
         "number with --dec).\nTry 'vcm7310 program --help' for more information.\n"},
        {{"read", "--adapter", "usb"},
         QStringLiteral(
             "vcm7310: Unknown adapter 'usb' (use %1).\nTry 'vcm7310 read --help' for more information.\n")
             .arg(adapter::adapterOptionValueName())},
        {{"read", "--adapter", "none", "--sim-state", "x"},
         "vcm7310: The --sim-... options apply to the simulated board (--adapter sim) only.\n"
         "Try 'vcm7310 read --help' for more information.\n"},
        {{"read", "--sim-vcom-error", "60"},
         "vcm7310: Bad --sim-vcom-error '60' (give a percentage from -50 to 50).\n"
         "Try 'vcm7310 read --help' for more information.\n"},
        {{"read", "--sim-fault", "smoke"},
         "vcm7310: Unknown --sim-fault 'smoke' (use read-fails, writes-lost or eeprom-fails).\n"
         "Try 'vcm7310 read --help' for more information.\n"},
        {{"trim"},
         "vcm7310: trim needs --vcom V, the wanted VCOM in volts.\n"
         "Try 'vcm7310 trim --help' for more information.\n"},
        {{"trim", "--vcom", "4", "--measure", " "},
         "vcm7310: --measure needs a command.\nTry 'vcm7310 trim --help' for more information.\n"},
        // Without a meter nothing is measured that a tolerance could hold.
        {{"trim", "--vcom", "4", "--tolerance", "0.005"},
         "vcm7310: --tolerance needs --measure or --meter.\nTry 'vcm7310 trim --help' for more "
         "information.\n"},
        {{"station", "--vcom", "4", "--id-pattern", "B[0-9"},
         "vcm7310: Bad --id-pattern 'B[0-9' (missing terminating ] for character class).\n"
         "Try 'vcm7310 station --help' for more information.\n"},
        {{"sim-measure"},
         "vcm7310: sim-measure needs --sim-state FILE.\n"
         "Try 'vcm7310 sim-measure --help' for more information.\n"},
        {{"--version", "read"},
         "vcm7310: --version takes no command.\nTry 'vcm7310 --help' for more information.\n"},
    };
    for (const Case& c : cases) {
        // With --trace any bus traffic would show on stderr (sim-measure, which has no bus, lacks it).
        const bool bus = c.arguments.value(0) != QStringLiteral("sim-measure");
        const ToolRun run = runTool(c.arguments + (bus ? QStringList{"--trace"} : QStringList{}));
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, c.err) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, QString()) << c.arguments.join(' ').toStdString();
    }
}

TEST(ToolUsage, SharedOptionsMayStandBeforeTheCommand) {
    const ToolRun run = runTool({"--eeprom", "3C", "--json", "read"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              QStringLiteral("{\"command\":\"read\",\"hex\":\"3C\",\"value\":60,\"outcome\":\"pass\"}\n"));
}

// As the top help says: before the command, a shared option the command does not use is ignored, so one
// set of options can lead every command of a script.
TEST(ToolUsage, SharedOptionsACommandDoesNotUseAreIgnoredBeforeIt) {
    QTemporaryDir dir;
    const QString board = dir.filePath(QStringLiteral("board.json"));
    ASSERT_EQ(runTool({"send", "80", "--sim-state", board}).exitCode, 0);
    struct Case {
        QStringList leading;
        QStringList command;
    };
    const Case cases[] = {
        {{"--adapter", "none"}, {"calc", "forward"}},
        {{"--trace", "--eeprom", "11", "--sim-fault", "read-fails", "--sim-power-cycle"},
         {"calc", "reverse", "--dcp", "80"}},
        {{"--trace", "--adapter=none", "--sim-vcom-error", "9"}, {"sim-measure", "--sim-state", board}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.leading + c.command).join(' ').toStdString());
        const ToolRun alone = runTool(c.command);
        const ToolRun led = runTool(c.leading + c.command);
        EXPECT_EQ(led.exitCode, 0);
        EXPECT_EQ(led.out, alone.out);
        EXPECT_EQ(led.err, QString());
    }
    // After the command, an option it does not take is still a mistake.
    EXPECT_EQ(runTool({"calc", "forward", "--adapter", "none"}).exitCode, 2);
}

// With --json a usage error is one object on stdout too, naming the command once it is known.
TEST(ToolUsage, JsonUsageErrorsAreOneObjectOnStdout) {
    struct Case {
        QStringList arguments;
        QString out;
    };
    const Case cases[] = {
        {{"--json"},
         "{\"outcome\":\"error\",\"failure\":\"usage\",\"error\":\"No command given.\",\"exitCode\":2}\n"},
        {{"--json", "bogus"},
         "{\"outcome\":\"error\",\"failure\":\"usage\",\"error\":\"Unknown command "
         "'bogus'.\",\"exitCode\":2}\n"},
        {{"bogus", "--json"},
         "{\"outcome\":\"error\",\"failure\":\"usage\",\"error\":\"Unknown command "
         "'bogus'.\",\"exitCode\":2}\n"},
        {{"--json", "--bogus", "read"},
         "{\"outcome\":\"error\",\"failure\":\"usage\",\"error\":\"Unknown option "
         "'bogus'.\",\"exitCode\":2}\n"},
        {{"read", "--bogus", "--json"},
         "{\"command\":\"read\",\"outcome\":\"error\",\"failure\":\"usage\",\"error\":\"Unknown option "
         "'bogus'.\",\"exitCode\":2}\n"},
        {{"--json", "send", "-1"},
         "{\"command\":\"send\",\"outcome\":\"error\",\"failure\":\"usage\",\"error\":\"VALUE '-1' is out of "
         "range (give 00 to FF, or 0 to 255 with "
         "--dec).\",\"exitCode\":2}\n"},
        {{"calc", "forward", "--avdd", "0", "--json"},
         "{\"command\":\"calc forward\",\"outcome\":\"error\",\"failure\":\"usage\",\"error\":\"AVDD needs "
         "to be non-zero\",\"exitCode\":2}\n"},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, c.out) << c.arguments.join(' ').toStdString();
    }
}

// -V and --version, as the field's tools have them; -v, the old flag, still works but is not offered.
TEST(ToolUsage, VersionFlags) {
    for (const char* flag : {"-V", "--version", "-v"}) {
        const ToolRun run = runTool({QString::fromLatin1(flag)});
        EXPECT_EQ(run.exitCode, 0) << flag;
        EXPECT_TRUE(QRegularExpression(QStringLiteral("^vcm7310 [0-9]+\\.[0-9]+\\.[0-9]+\n$"))
                        .match(run.out)
                        .hasMatch())
            << flag << ": " << run.out.toStdString();
    }
    const QString help = runTool({"--help"}).out;
    EXPECT_TRUE(help.contains(QStringLiteral("  -V, --version ")));
    EXPECT_FALSE(help.contains(QStringLiteral("-v,")));
}

TEST(ToolUsage, HelpForEveryCommandListsAllItsOptionsWithoutADisplay) {
    struct Case {
        QStringList arguments;
        QString usage;
        QStringList options;
    };
    const QStringList bus{"--adapter <" + adapter::adapterOptionValueName() + ">",
                          "--eeprom <HH>",
                          "--trace",
                          "--sim-state <FILE>",
                          "--sim-vcom-error <PERCENT>",
                          "--sim-fault <read-fails|writes-lost|eeprom-fails>",
                          "--json"};
    const Case cases[] = {
        {{"--help"},
         "Usage: vcm7310 [options] COMMAND [options]\n",
         bus + QStringList{"--version", "sim-measure", "station", "3 the station could not do its job"}},
        {{"read", "--help"}, "Usage: vcm7310 read [options]\n", bus},
        {{"send", "-h"}, "Usage: vcm7310 send [options] VALUE\n", bus + QStringList{"--dec"}},
        {{"program", "--help"}, "Usage: vcm7310 program [options] VALUE\n", bus + QStringList{"--dec"}},
        {{"calc", "forward", "--help"},
         "Usage: vcm7310 calc forward [options]\n",
         {"--avdd <V>", "--rset <OHM>", "--r1 <OHM>", "--r2 <OHM>", "--dcp <VALUE>", "--dec", "--json"}},
        {{"calc", "reverse", "--help"},
         "Usage: vcm7310 calc reverse [options]\n",
         {"--avdd <V>", "--rset <OHM>", "--vmax <V>", "4.9179", "--vmin <V>", "2.8817", "--dcp <VALUE>"}},
        {{"trim", "--help"},
         "Usage: vcm7310 trim [options]\n",
         bus + QStringList{"--vcom <V>", "--program", "--measure <CMD>", "--r2 <OHM>", "--board-id <TEXT>",
                           "--station-id <TEXT>", "--operator <NAME>", "VCM7310_DCP"}},
        {{"station", "--help"},
         "Usage: vcm7310 station [options]\n",
         bus + QStringList{"--vcom <V>", "--id-pattern <REGEX>", "--retest", "--log <FILE>",
                           "--meter <ADDRESS>"}},
        {{"sim-measure", "--help"},
         "Usage: vcm7310 sim-measure [options]\n",
         {"--sim-state <FILE>", "--json"}},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.exitCode, 0) << c.arguments.join(' ').toStdString();
        EXPECT_TRUE(run.out.startsWith(c.usage)) << run.out.toStdString();
        for (const QString& option : c.options) {
            EXPECT_TRUE(run.out.contains(option))
                << c.arguments.join(' ').toStdString() << ": " << option.toStdString();
        }
        EXPECT_EQ(run.err, QString());
    }
    const ToolRun version = runTool({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^vcm7310 [0-9]+\\.[0-9]+\\.[0-9]+\n$"))
                    .match(version.out)
                    .hasMatch())
        << version.out.toStdString();
}

}  // namespace
}  // namespace vcm::test
