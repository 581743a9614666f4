#include "QtPrinters.h"
#include "cli/CommandFailure.h"
#include "cli/SimulatedBoardFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace vcm {
namespace {

TEST(SimulatedBoardFile, KeepsTheBoardAndReadsNothingWhereNoFileIs) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("board.json"));
    EXPECT_EQ(loadSimulatedBoard(path), std::nullopt);

    const SimulatedBoardState state{{0x7D, 0x80}, -2.5};
    saveSimulatedBoard(path, state);
    EXPECT_EQ(loadSimulatedBoard(path), state);
    saveSimulatedBoard(path, {{0xFF, 0x00}, 3.0});
    EXPECT_EQ(loadSimulatedBoard(path), (SimulatedBoardState{{0xFF, 0x00}, 3.0}));
}

TEST(SimulatedBoardFile, AFileThatIsNoBoardFails) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("board.json"));
    const char* contents[] = {
        "",
        "not json",
        "{}",
        R"({"dataRegister": 256, "eeprom": 0, "vcomErrorPercent": 0})",
        R"({"dataRegister": 1.5, "eeprom": 0, "vcomErrorPercent": 0})",
        R"({"dataRegister": 1, "eeprom": "80", "vcomErrorPercent": 0})",
        R"({"dataRegister": 1, "eeprom": 0})",
    };
    for (const char* text : contents) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
        file.close();
        try {
            (void)loadSimulatedBoard(path);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const CommandFailure& failure) {
            EXPECT_EQ(failure.exitCode, exitFailed);
            EXPECT_TRUE(failure.message.contains(QStringLiteral("not a board state file"))) << text;
        }
    }
}

TEST(SimulatedBoardFile, AFileThatCannotBeWrittenFails) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing-folder/board.json"));
    EXPECT_THROW(saveSimulatedBoard(path, {}), CommandFailure);
}

}  // namespace
}  // namespace vcm
