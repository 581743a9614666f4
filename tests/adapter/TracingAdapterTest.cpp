#include "adapter/core/AbsentAdapter.h"
#include "adapter/sim/SimulatedAdapter.h"
#include "adapter/trace/TraceLog.h"
#include "adapter/trace/TracingAdapter.h"

#include "MockAdapterLibrary.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QStringList>

#include <functional>

namespace vcm::test {
namespace {

using ::testing::_;
using ::testing::DoAll;
using ::testing::Return;
using ::testing::SetArgReferee;

// A clock that advances 0.1 ms each time it is read, and a sink that keeps the lines.
struct TraceFixture {
    double now = 812.3;
    QStringList lines;
    adapter::TraceLog log{[this] { return now += 0.1; }, [this](const QString& line) { lines.append(line); }};
};

struct WriteArgs {
    std::uint8_t device;
    std::uint8_t reg = 0x00;
    std::uint8_t count = 1;
    adapter::ByteArray data;
    adapter::ByteArray spare{0x00};
    std::int16_t module = 0;
    std::int32_t status = 0;
};

TEST(TracingAdapter, ChipNotesFollowTheLineOfTheCallThatCausedThem) {
    TraceFixture trace;
    adapter::SimulatedAdapter board{
        adapter::SimulatedChip(0x80, [&](const QString& note) { trace.log.note(note); })};
    adapter::TracingAdapter adapter(board, trace.log);

    WriteArgs send{0x4F, 0x00, 1, {0x7D, 0x00}};
    adapter.crvHID_doI2CWrite(send.device, send.reg, send.count, send.data, send.spare, send.module,
                              send.status);
    WriteArgs program{0x4E, 0x00, 1, {0x80, 0x00}};
    adapter.crvHID_doI2CWrite(program.device, program.reg, program.count, program.data, program.spare,
                              program.module, program.status);

    EXPECT_EQ(trace.lines, (QStringList{
                               "812.4 crvHID_doI2CWrite(0x4F, 0x00, 1, [7D 00], [00], 0, 0) = 0",
                               "812.5 sim: data register 0x7D",
                               "812.6 crvHID_doI2CWrite(0x4E, 0x00, 1, [80 00], [00], 0, 0) = 0",
                               "812.7 sim: EEPROM 0x80",
                           }));
}

TEST(TracingAdapter, ConnectionCallsOfAnAbsentAdapter) {
    TraceFixture trace;
    adapter::AbsentAdapter board;
    adapter::TracingAdapter adapter(board, trace.log);
    std::int16_t module = 0;
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    std::int32_t mask = -1;

    EXPECT_EQ(adapter.crvHID_connect(), 0);
    EXPECT_EQ(adapter.crvHID_indicateSelectedModule(module), 1);
    EXPECT_EQ(adapter.crvHID_setGPIOConfiguration(first, second, mask, module), 1);

    EXPECT_EQ(trace.lines, (QStringList{
                               "812.4 crvHID_connect() = 0",
                               "812.5 crvHID_indicateSelectedModule(0) = 1",
                               "812.6 crvHID_setGPIOConfiguration(0x00, 0x00, -1, 0) = 1",
                           }));
}

// The library may write into any argument: each call's line shows every argument as the library left it,
// scalars as well as arrays, and the write-back still reaches the caller. The values sent are all 0 or
// 0x00 and every one is overwritten, so a line that showed what was sent would differ.
TEST(TracingAdapter, ShowsEveryArgumentAsTheLibraryLeftIt) {
    struct Case {
        const char* name;
        /// Makes the call on `adapter` with arguments that are 0, the mock writing into every one of them.
        std::function<std::int16_t(MockAdapterLibrary& inner, adapter::AdapterLibrary& adapter)> call;
        const char* line;
        std::int16_t result;  ///< the mock's, passed on to the caller
    };
    const Case cases[] = {
        {"indicateSelectedModule",
         [](MockAdapterLibrary& inner, adapter::AdapterLibrary& adapter) {
             EXPECT_CALL(inner, crvHID_indicateSelectedModule(_))
                 .WillOnce(DoAll(SetArgReferee<0>(std::int16_t{2}), Return(std::int16_t{0})));
             std::int16_t module = 0;
             const std::int16_t result = adapter.crvHID_indicateSelectedModule(module);
             EXPECT_EQ(module, 2);
             return result;
         },
         "812.4 crvHID_indicateSelectedModule(2) = 0", 0},
        {"setGPIOConfiguration",
         [](MockAdapterLibrary& inner, adapter::AdapterLibrary& adapter) {
             EXPECT_CALL(inner, crvHID_setGPIOConfiguration(_, _, _, _))
                 .WillOnce(DoAll(SetArgReferee<0>(std::uint8_t{0x5A}), SetArgReferee<1>(std::uint8_t{0x3C}),
                                 SetArgReferee<2>(0x000FFFFF), SetArgReferee<3>(std::int16_t{1}),
                                 Return(std::int16_t{0})));
             std::uint8_t first = 0;
             std::uint8_t second = 0;
             std::int32_t mask = 0;
             std::int16_t module = 0;
             const std::int16_t result = adapter.crvHID_setGPIOConfiguration(first, second, mask, module);
             EXPECT_EQ(first, 0x5A);
             EXPECT_EQ(mask, 0x000FFFFF);
             return result;
         },
         "812.4 crvHID_setGPIOConfiguration(0x5A, 0x3C, 1048575, 1) = 0", 0},
        {"doI2CRead",
         [](MockAdapterLibrary& inner, adapter::AdapterLibrary& adapter) {
             EXPECT_CALL(inner, crvHID_doI2CRead(_, _, _, _, _, _, _))
                 .WillOnce(DoAll(
                     SetArgReferee<0>(std::uint8_t{0x4E}), SetArgReferee<1>(std::uint8_t{0x01}),
                     SetArgReferee<2>(std::uint8_t{2}), SetArgReferee<3>(adapter::ByteArray{0x42, 0x00}),
                     SetArgReferee<4>(adapter::ByteArray{0x99}), SetArgReferee<5>(std::int16_t{3}),
                     SetArgReferee<6>(-7), Return(std::int16_t{3})));
             WriteArgs read{0x00, 0x00, 0, {0x00, 0x00}, {0x00}, 0, 0};
             const std::int16_t result = adapter.crvHID_doI2CRead(
                 read.device, read.reg, read.count, read.data, read.spare, read.module, read.status);
             EXPECT_EQ(read.count, 2);
             EXPECT_EQ(read.status, -7);
             return result;
         },
         "812.4 crvHID_doI2CRead(0x4E, 0x01, 2, [42 00], [99], 3, -7) = 3", 3},
        {"doI2CWrite",
         [](MockAdapterLibrary& inner, adapter::AdapterLibrary& adapter) {
             EXPECT_CALL(inner, crvHID_doI2CWrite(_, _, _, _, _, _, _))
                 .WillOnce(DoAll(SetArgReferee<0>(std::uint8_t{0x4F}), SetArgReferee<1>(std::uint8_t{0x02}),
                                 SetArgReferee<2>(std::uint8_t{1}),
                                 SetArgReferee<3>(adapter::ByteArray{0x7D}),
                                 SetArgReferee<4>(adapter::ByteArray{}), SetArgReferee<5>(std::int16_t{-1}),
                                 SetArgReferee<6>(1), Return(std::int16_t{0})));
             WriteArgs write{0x00, 0x00, 0, {0x00, 0x00}, {0x00}, 0, 0};
             const std::int16_t result = adapter.crvHID_doI2CWrite(
                 write.device, write.reg, write.count, write.data, write.spare, write.module, write.status);
             EXPECT_EQ(write.device, 0x4F);
             EXPECT_EQ(write.data, adapter::ByteArray{0x7D});
             return result;
         },
         "812.4 crvHID_doI2CWrite(0x4F, 0x02, 1, [7D], [], -1, 1) = 0", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TraceFixture trace;
        MockAdapterLibrary inner;
        adapter::TracingAdapter adapter(inner, trace.log);
        EXPECT_EQ(c.call(inner, adapter), c.result);
        EXPECT_EQ(trace.lines, QStringList{QString::fromLatin1(c.line)});
    }
}

TEST(TraceLog, NotesOutsideACallAreWrittenAtOnce) {
    TraceFixture trace;
    trace.log.note(QStringLiteral("sim: EEPROM 0x01"));
    EXPECT_EQ(trace.lines, QStringList{"812.4 sim: EEPROM 0x01"});
}

}  // namespace
}  // namespace vcm::test
