#include "QtPrinters.h"
#include "adapter/sim/SimulatedBoardFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace vcm::test {
namespace {

TEST(SimulatedBoardFile, KeepsTheBoardAndReadsNothingWhereNoFileIs) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("board.json"));
    EXPECT_EQ(adapter::loadSimulatedBoard(path), std::nullopt);

    const adapter::SimulatedBoardState state{{0x7D, 0x80}, -2.5};
    adapter::saveSimulatedBoard(path, state);
    EXPECT_EQ(adapter::loadSimulatedBoard(path), state);
    adapter::saveSimulatedBoard(path, {{0xFF, 0x00}, 3.0});
    EXPECT_EQ(adapter::loadSimulatedBoard(path), (adapter::SimulatedBoardState{{0xFF, 0x00}, 3.0}));
    // The VCOM's offset and step, and a negative step, come back too.
    const adapter::SimulatedBoardState shaped{{0x10, 0x20}, 1.0, -12.5, 0x80, -2000.0};
    adapter::saveSimulatedBoard(path, shaped);
    EXPECT_EQ(adapter::loadSimulatedBoard(path), shaped);
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
            (void)adapter::loadSimulatedBoard(path);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const adapter::BoardFileError& failure) {
            EXPECT_TRUE(failure.message.contains(QStringLiteral("not a board state file"))) << text;
        }
    }
}

TEST(SimulatedBoardFile, AFileThatCannotBeWrittenFails) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing-folder/board.json"));
    EXPECT_THROW(adapter::saveSimulatedBoard(path, {}), adapter::BoardFileError);
}

}  // namespace
}  // namespace vcm::test
