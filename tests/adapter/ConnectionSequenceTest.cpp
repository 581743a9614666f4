#include "adapter/core/ConnectionSequence.h"

#include "MockAdapterLibrary.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace vcm::test {
namespace {

using ::testing::_;
using ::testing::DoAll;
using ::testing::Eq;
using ::testing::InSequence;
using ::testing::Return;
using ::testing::SetArgReferee;
using ::testing::StrictMock;

// Any result other than 0 means an adapter is open; the library's own value for it is not fixed.
class ConnectionWithAdapter : public ::testing::TestWithParam<std::int16_t> {};

TEST_P(ConnectionWithAdapter, ConnectsThenIndicatesThenConfiguresOnModuleZero) {
    StrictMock<MockAdapterLibrary> library;
    {
        InSequence order;
        EXPECT_CALL(library, crvHID_connect()).WillOnce(Return(GetParam()));
        // Results of the last two are ignored, so answer something odd.
        EXPECT_CALL(library, crvHID_indicateSelectedModule(Eq(0))).WillOnce(Return(std::int16_t{7}));
        EXPECT_CALL(library, crvHID_setGPIOConfiguration(Eq(0), Eq(0), Eq(-1), Eq(0)))
            .WillOnce(Return(std::int16_t{7}));
    }
    std::int16_t selectedModule = 3;

    const std::int16_t result = adapter::beginConnection(library, selectedModule);
    EXPECT_EQ(result, GetParam());
    EXPECT_EQ(selectedModule, 0);
    EXPECT_TRUE(adapter::finishConnection(library, result, selectedModule));
    EXPECT_EQ(selectedModule, 0);
}

INSTANTIATE_TEST_SUITE_P(Results, ConnectionWithAdapter,
                         ::testing::Values(std::int16_t{1}, std::int16_t{-1}, std::int16_t{2}));

TEST(ConnectionWithoutAdapter, ConnectIsTheOnlyCall) {
    StrictMock<MockAdapterLibrary> library;
    EXPECT_CALL(library, crvHID_connect()).WillOnce(Return(std::int16_t{0}));
    std::int16_t selectedModule = 3;

    const std::int16_t result = adapter::beginConnection(library, selectedModule);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(selectedModule, 0);
    EXPECT_FALSE(adapter::finishConnection(library, result, selectedModule));
}

// Bytes the library writes back into the GPIO arguments must not leak into the next attempt.
TEST(ConnectionRepeated, SendsTheSameConfigurationEveryTime) {
    StrictMock<MockAdapterLibrary> library;
    EXPECT_CALL(library, crvHID_connect()).Times(2).WillRepeatedly(Return(std::int16_t{1}));
    EXPECT_CALL(library, crvHID_indicateSelectedModule(Eq(0)))
        .Times(2)
        .WillRepeatedly(Return(std::int16_t{0}));
    EXPECT_CALL(library, crvHID_setGPIOConfiguration(Eq(0), Eq(0), Eq(-1), Eq(0)))
        .Times(2)
        .WillRepeatedly(DoAll(SetArgReferee<0>(std::uint8_t{0x55}), SetArgReferee<1>(std::uint8_t{0xAA}),
                              SetArgReferee<2>(0), Return(std::int16_t{0})));
    std::int16_t selectedModule = 0;
    for (int attempt = 0; attempt < 2; ++attempt) {
        EXPECT_TRUE(adapter::finishConnection(library, adapter::beginConnection(library, selectedModule),
                                              selectedModule));
    }
}

}  // namespace
}  // namespace vcm::test
