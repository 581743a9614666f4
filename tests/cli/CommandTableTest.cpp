#include "cli/commands/Commands.h"
#include "cli/options/CommandTable.h"
#include "cli/options/CommandWords.h"

#include <gtest/gtest.h>

#include <QSet>

namespace vcm::test {
namespace {

// Every command is one row: the dispatcher, commandName and the parser find the same row for it.
TEST(CommandTable, EachCommandIsOneRowFoundByTheWordsOfItsName) {
    QSet<QString> names;
    QSet<int> commands;
    for (const cli::CommandDefinition& row : cli::commandTable()) {
        SCOPED_TRACE(row.name.toStdString());
        EXPECT_TRUE(row.run != nullptr);
        EXPECT_FALSE(row.brief.isEmpty());
        EXPECT_FALSE(row.summary.isEmpty());
        EXPECT_FALSE(names.contains(row.name));
        EXPECT_FALSE(commands.contains(static_cast<int>(row.command)));
        names.insert(row.name);
        commands.insert(static_cast<int>(row.command));
        EXPECT_EQ(&commandDefinition(row.command), &row);
        EXPECT_EQ(commandName(row.command), row.name);

        // The command's name followed by what a command line has after it.
        const QStringList nameWords = row.name.split(u' ');
        qsizetype wordsUsed = 0;
        EXPECT_EQ(cli::findCommand(nameWords + QStringList{"--json", "7D"}, wordsUsed), &row);
        EXPECT_EQ(wordsUsed, nameWords.size());
    }
    // One row for each enumerator, up to the last one.
    EXPECT_EQ(commands.size(), static_cast<int>(cli::Command::SimMeasure) + 1);
}

TEST(CommandTable, WordsThatNameNoCommandFindNone) {
    const QStringList cases[] = {{}, {"calc"}, {"calc", "sideways"}, {"Read"}, {"reads"}, {"forward"}, {""}};
    for (const QStringList& words : cases) {
        SCOPED_TRACE(words.join(u' ').toStdString());
        qsizetype wordsUsed = 0;
        EXPECT_EQ(cli::findCommand(words, wordsUsed), nullptr);
        EXPECT_EQ(wordsUsed, 0);
    }
}

TEST(CommandWords, OptionsAndValuesAreSortedAsTheParserWouldExceptNegativeNumbers) {
    const QCommandLineOption dec(QStringLiteral("dec"), QStringLiteral("flag"));
    const QCommandLineOption vcom(QStringLiteral("vcom"), QStringLiteral("value"), QStringLiteral("V"));
    const QCommandLineOption eeprom({QStringLiteral("e"), QStringLiteral("eeprom")}, QStringLiteral("value"),
                                    QStringLiteral("HH"));
    const std::vector<const QCommandLineOption*> known{&dec, &vcom, &eeprom};
    struct Case {
        QStringList words;
        QList<QStringList> options;  // each option's words
        QStringList positional;
        QString missingValue;
    };
    const Case cases[] = {
        {{"7D", "--dec"}, {{"--dec"}}, {"7D"}, {}},
        {{"--vcom", "3.1", "7D"}, {{"--vcom", "3.1"}}, {"7D"}, {}},
        // A value that looks like an option or a negative number is still the option's value.
        {{"--vcom", "--dec"}, {{"--vcom", "--dec"}}, {}, {}},
        {{"--vcom", "-0.5"}, {{"--vcom", "-0.5"}}, {}, {}},
        {{"--vcom=3", "-e", "80"}, {{"--vcom=3"}, {"-e", "80"}}, {}, {}},
        // A negative number or a lone dash is a value, never an option.
        {{"-1", "-.5", "-"}, {}, {"-1", "-.5", "-"}, {}},
        // Everything after "--" is a value.
        {{"--", "--dec", "-5"}, {}, {"--dec", "-5"}, {}},
        // An unknown option takes no value: the parser will refuse it by name.
        {{"--bogus", "7D"}, {{"--bogus"}}, {"7D"}, {}},
        {{"--dec", "--vcom"}, {{"--dec"}, {"--vcom"}}, {}, "--vcom"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words.join(u' ').toStdString());
        const cli::ArrangedWords arranged = cli::arrangeWords(c.words, known);
        QList<QStringList> options;
        for (const cli::OptionWords& option : arranged.options) {
            options << option.words;
        }
        EXPECT_EQ(options, c.options);
        EXPECT_EQ(arranged.positional, c.positional);
        EXPECT_EQ(arranged.missingValue, c.missingValue);
    }
}

}  // namespace
}  // namespace vcm::test
