#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace vcm::test {
namespace {

using Action = app::CommandLineOutcome::Action;

QStringList withProgram(const QStringList& options) {
    return QStringList{QStringLiteral("vcm7310-bench")} + options;
}

struct Valid {
    QStringList arguments;
    app::CommandLineOptions expected;
};

TEST(CommandLine, ValidFormsGiveTheirOptions) {
    const Valid cases[] = {
        {{}, {{adapter::AdapterChoice::Simulated, {}}, 0x80, false}},
        {{"--adapter", "sim"}, {{adapter::AdapterChoice::Simulated, {}}, 0x80, false}},
        {{"--adapter", "none"}, {{adapter::AdapterChoice::Absent, {}}, 0x80, false}},
        {{"--adapter=none"}, {{adapter::AdapterChoice::Absent, {}}, 0x80, false}},
        {{"--eeprom", "7D"}, {{adapter::AdapterChoice::Simulated, {}}, 0x7D, false}},
        {{"--eeprom", "7d"}, {{adapter::AdapterChoice::Simulated, {}}, 0x7D, false}},
        {{"--eeprom=00"}, {{adapter::AdapterChoice::Simulated, {}}, 0x00, false}},
        {{"--eeprom", "fF"}, {{adapter::AdapterChoice::Simulated, {}}, 0xFF, false}},
        // The one rule of byte values on every command line: one or two digits, "0x", leading zeros and
        // blanks around them.
        {{"--eeprom", "8"}, {{adapter::AdapterChoice::Simulated, {}}, 0x08, false}},
        {{"--eeprom", "0x80"}, {{adapter::AdapterChoice::Simulated, {}}, 0x80, false}},
        {{"--eeprom", " 8"}, {{adapter::AdapterChoice::Simulated, {}}, 0x08, false}},
        {{"--eeprom", "07D"}, {{adapter::AdapterChoice::Simulated, {}}, 0x7D, false}},
        {{"--trace"}, {{adapter::AdapterChoice::Simulated, {}}, 0x80, true}},
        {{"--trace", "--adapter", "none", "--eeprom", "01"},
         {{adapter::AdapterChoice::Absent, {}}, 0x01, true}},
        {{"--adapter", "crvhid"}, {{adapter::AdapterChoice::MakerLibrary, {}}, 0x80, false}},
        {{"--adapter", "crvhid:C:\\Board\\crvhid.dll"},
         {{adapter::AdapterChoice::MakerLibrary, "C:\\Board\\crvhid.dll"}, 0x80, false}},
        {{"--adapter=crvhid:/opt/board"},
         {{adapter::AdapterChoice::MakerLibrary, "/opt/board"}, 0x80, false}},
    };
    for (const Valid& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const app::CommandLineOutcome outcome =
            app::parseCommandLine(withProgram(c.arguments), QStringLiteral("1.0"));
        EXPECT_EQ(outcome.action, test::Action::Run);
        EXPECT_EQ(outcome.options, c.expected);
        EXPECT_EQ(outcome.exitCode, 0);
    }
}

struct Invalid {
    QStringList arguments;
    const char* named;  // the part of the message that says what is wrong
};

TEST(CommandLine, BadFormsFailWithExitCodeTwoAndNameTheProblem) {
    const Invalid cases[] = {
        {{"--bogus"}, "bogus"},
        {{"-x"}, "x"},
        {{"--adapter", "usb"}, "Unknown adapter 'usb'"},
        {{"--adapter", "SIM"}, "Unknown adapter 'SIM'"},
        {{"--adapter", "crvhid:"}, "Give the library's path after 'crvhid:'"},
        {{"--adapter", "crvhid.dll"}, "Unknown adapter 'crvhid.dll'"},
        {{"--adapter"}, "--adapter"},
        {{"--eeprom", "800"}, "--eeprom value '800' is out of range"},
        {{"--eeprom", "-1"}, "--eeprom value '-1' is out of range"},
        {{"--eeprom", "GG"}, "--eeprom value 'GG'"},
        {{"--eeprom", "8 0"}, "--eeprom value '8 0'"},
        {{"--eeprom="}, "--eeprom value ''"},
        {{"extra"}, "Unexpected argument 'extra'"},
        {{"--help-all"}, "help-all"},
        {{"--trace", "sim"}, "Unexpected argument 'sim'"},
    };
    for (const Invalid& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const app::CommandLineOutcome outcome =
            app::parseCommandLine(withProgram(c.arguments), QStringLiteral("1.0"));
        EXPECT_EQ(outcome.action, test::Action::Fail);
        EXPECT_EQ(outcome.exitCode, 2);
        EXPECT_TRUE(outcome.text.contains(QLatin1String(c.named))) << outcome.text.toStdString();
    }
}

TEST(CommandLine, HelpListsEveryOptionAndExitsCleanly) {
    for (const char* option : {"--help", "-h"}) {
        SCOPED_TRACE(option);
        // Help wins over options that would otherwise be refused.
        const app::CommandLineOutcome outcome = app::parseCommandLine(
            withProgram({QLatin1String(option), "--eeprom", "GG"}), QStringLiteral("1.0"));
        EXPECT_EQ(outcome.action, test::Action::Print);
        EXPECT_EQ(outcome.exitCode, 0);
        for (const char* listed : {"--adapter", "--eeprom", "--trace", "--version", "sim", "none"}) {
            EXPECT_TRUE(outcome.text.contains(QLatin1String(listed))) << listed;
        }
    }
}

TEST(CommandLine, VersionShowsNameAndVersion) {
    const app::CommandLineOutcome given =
        app::parseCommandLine(withProgram({"--version"}), QStringLiteral("1.2.3"));
    EXPECT_EQ(given.action, test::Action::Print);
    EXPECT_EQ(given.exitCode, 0);
    EXPECT_EQ(given.text, QStringLiteral("vcm7310-bench 1.2.3\n"));

    const QString previous = QCoreApplication::applicationVersion();
    QCoreApplication::setApplicationVersion(QStringLiteral("4.5.6"));
    const app::CommandLineOutcome fallback = app::parseCommandLine(withProgram({"-v"}));
    QCoreApplication::setApplicationVersion(previous);
    EXPECT_EQ(fallback.text, QStringLiteral("vcm7310-bench 4.5.6\n"));
}

}  // namespace
}  // namespace vcm::test
