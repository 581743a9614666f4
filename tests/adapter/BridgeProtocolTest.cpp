#include "BridgeProtocol.h"

#include <gtest/gtest.h>

namespace bridge {
namespace {

TEST(BridgeProtocol, EveryCallAndAnswerReadsBackAsWritten) {
    CallArguments a;
    a.deviceAddress = 0x4F;
    a.registerAddress = 0xFF;
    a.count = 255;
    a.data = {0x7D, 0x00, 0xAB};
    a.spare = {};
    a.module = -32768;
    a.status = -2147483647 - 1;
    struct Case {
        Function function;
        const char* call;
        const char* answer;
    };
    const Case cases[] = {
        {Function::Connect, "call crvHID_connect", "ok -1"},
        {Function::IndicateSelectedModule, "call crvHID_indicateSelectedModule -32768", "ok -1 -32768"},
        {Function::SetGPIOConfiguration, "call crvHID_setGPIOConfiguration 79 255 -2147483648 -32768",
         "ok -1 79 255 -2147483648 -32768"},
        {Function::DoI2CRead, "call crvHID_doI2CRead 79 255 255 7D00AB - -32768 -2147483648",
         "ok -1 79 255 255 7D00AB - -32768 -2147483648"},
        {Function::DoI2CWrite, "call crvHID_doI2CWrite 79 255 255 7D00AB - -32768 -2147483648",
         "ok -1 79 255 255 7D00AB - -32768 -2147483648"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        EXPECT_EQ(formatCall({c.function, a}), c.call);
        std::string problem;
        const std::optional<Call> call = parseCall(c.call, problem);
        ASSERT_TRUE(call);
        EXPECT_EQ(call->function, c.function);
        EXPECT_EQ(formatCall(*call), c.call);

        EXPECT_EQ(formatAnswer(c.function, -1, a), c.answer);
        const auto answer = parseAnswer(c.function, std::string(c.answer) + "\r\n");
        ASSERT_TRUE(answer);
        EXPECT_EQ(answer->first, -1);
        EXPECT_EQ(formatAnswer(c.function, answer->first, answer->second), c.answer);
    }
}

TEST(BridgeProtocol, MalformedLinesAreRefusedNotGuessed) {
    const char* calls[] = {
        "",
        "call",
        "connect",
        "call crvHID_getLEDState",
        "call crvHID_connect 0",
        "call crvHID_indicateSelectedModule 32768",
        "call crvHID_indicateSelectedModule 0x10",
        "call crvHID_setGPIOConfiguration 256 0 -1 0",
        "call crvHID_setGPIOConfiguration 0 0 2147483648 0",
        "call crvHID_doI2CRead 78 0 1 000 00 0 0",
        "call crvHID_doI2CRead 78 0 1 0G00 00 0 0",
        "call crvHID_doI2CRead 78 0 1  00 0 0",
        "call crvHID_doI2CRead 78 0 1 0000 00 0",
        "call crvHID_doI2CRead  78 0 1 0000 00 0 0",
        "call crvHID_doI2CRead -1 0 1 0000 00 0 0",
    };
    for (const char* line : calls) {
        SCOPED_TRACE(line);
        std::string problem;
        EXPECT_FALSE(parseCall(line, problem));
        EXPECT_FALSE(problem.empty());
    }
    EXPECT_FALSE(parseAnswer(Function::Connect, "fail crash C0000005"));
    EXPECT_FALSE(parseAnswer(Function::Connect, "ok"));
    EXPECT_FALSE(parseAnswer(Function::Connect, "ok 65535"));
    EXPECT_FALSE(parseAnswer(Function::IndicateSelectedModule, "ok 0"));
    EXPECT_FALSE(parseAnswer(Function::DoI2CRead, "ok 0 78 0 1 0000 00 0"));
}

}  // namespace
}  // namespace bridge
