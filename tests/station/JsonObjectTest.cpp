#include "station/JsonObject.h"

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

TEST(JsonObject, KeepsOrderAndEscapesStrings) {
    const QString text = station::JsonObject()
                             .text(QStringLiteral("error"), QStringLiteral("a \"b\" \\ c\nd\x01"))
                             .number(QStringLiteral("vcom"), QStringLiteral("4.9179"))
                             .integer(QStringLiteral("value"), 125)
                             .boolean(QStringLiteral("ok"), false)
                             .textArray(QStringLiteral("list"), {QStringLiteral("r2")})
                             .toText();
    EXPECT_EQ(text,
              QStringLiteral("{\"error\":\"a \\\"b\\\" \\\\ c\\nd\\u0001\",\"vcom\":4.9179,\"value\":125,"
                             "\"ok\":false,\"list\":[\"r2\"]}"));
}

// A report's figures nest: an object as a member's value.
TEST(JsonObject, NestsAnObject) {
    const station::JsonObject inner = station::JsonObject().integer(QStringLiteral("pass"), 3);
    EXPECT_EQ(station::JsonObject().object(QStringLiteral("outcomes"), inner).toText(),
              QStringLiteral("{\"outcomes\":{\"pass\":3}}"));
}

}  // namespace
}  // namespace vcm::test
