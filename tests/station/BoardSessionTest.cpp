#include "adapter/sim/SimulatedBoard.h"
#include "station/BoardFailure.h"
#include "station/BoardSession.h"

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

TEST(BoardSession, TellsOfEveryChangeInsideTheWriteSoTheFileIsSavedBeforeTheEepromPause) {
    int changes = 0;
    int changesAtPause = -1;
    adapter::SimulatedBoard board(adapter::SimulatedChip(0x80), adapter::SimFault::None, [&] { ++changes; });
    station::BoardSession session(board, [&](int) { changesAtPause = changes; });
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
    station::BoardSession lostSession(lost, [](int) {});
    lostSession.connect();
    try {
        lostSession.sendVerified(0x7D);
        ADD_FAILURE() << "a lost write passed the read-back";
    } catch (const station::BoardFailure& failure) {
        EXPECT_EQ(failure.kind, station::BoardFailure::Kind::Readback);
        EXPECT_EQ(failure.message, QStringLiteral("read-back: the data register holds 80, not 7D"));
    }
    EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace vcm::test
