#include "QtPrinters.h"
#include "adapter/sim/SimulatedBoard.h"
#include "cli/BoardSession.h"
#include "cli/CommandFailure.h"
#include "cli/SimulatedBoardFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace vcm::test {
namespace {

TEST(SimulatedBoardFile, KeepsTheBoardAndReadsNothingWhereNoFileIs) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("board.json"));
    EXPECT_EQ(cli::loadSimulatedBoard(path), std::nullopt);

    const cli::SimulatedBoardState state{{0x7D, 0x80}, -2.5};
    cli::saveSimulatedBoard(path, state);
    EXPECT_EQ(cli::loadSimulatedBoard(path), state);
    cli::saveSimulatedBoard(path, {{0xFF, 0x00}, 3.0});
    EXPECT_EQ(cli::loadSimulatedBoard(path), (cli::SimulatedBoardState{{0xFF, 0x00}, 3.0}));
    // The VCOM's offset and step, and a negative step, come back too.
    const cli::SimulatedBoardState shaped{{0x10, 0x20}, 1.0, -12.5, 0x80, -2000.0};
    saveSimulatedBoard(path, shaped);
    EXPECT_EQ(cli::loadSimulatedBoard(path), shaped);
}

TEST(SimulatedBoard, TellsOfEveryChangeInsideTheWriteSoTheFileIsSavedBeforeTheEepromPause) {
    int changes = 0;
    int changesAtPause = -1;
    adapter::SimulatedBoard board(adapter::SimulatedChip(0x80), adapter::SimFault::None, [&] { ++changes; });
    cli::BoardSession session(board, [&](int) { changesAtPause = changes; });
    session.connect();
    EXPECT_EQ(changes, 0);
    session.sendVerified(0x7D);
    EXPECT_EQ(changes, 1);
    session.sendVerified(0x7D);
    EXPECT_EQ(changes, 1) << "a write that changed nothing";
    session.program(0x7D);
    EXPECT_EQ(changesAtPause, 2) << "the EEPROM's change is told before the write time is waited";
    adapter::SimulatedBoard lost(adapter::SimulatedChip(0x80), adapter::SimFault::WritesLost,
                                 [&] { ++changes; });
    cli::BoardSession lostSession(lost, [](int) {});
    lostSession.connect();
    EXPECT_THROW(lostSession.sendVerified(0x7D), cli::CommandFailure);
    EXPECT_EQ(changes, 2);
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
            (void)cli::loadSimulatedBoard(path);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const cli::CommandFailure& failure) {
            EXPECT_EQ(failure.exitCode, cli::kExitFailed);
            EXPECT_TRUE(failure.message.contains(QStringLiteral("not a board state file"))) << text;
        }
    }
}

TEST(SimulatedBoardFile, AFileThatCannotBeWrittenFails) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing-folder/board.json"));
    EXPECT_THROW(cli::saveSimulatedBoard(path, {}), cli::CommandFailure);
}

}  // namespace
}  // namespace vcm::test
