#include "QtPrinters.h"
#include "station/report/JsonLine.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <map>

namespace vcm::test {
namespace {

using station::report::JsonValue;

/// What a member read by readJsonObject holds, as QJsonValue would hold it.
QJsonValue asQt(const JsonValue& value) {
    switch (value.type) {
        case JsonValue::Type::Null:
            return QJsonValue::Null;
        case JsonValue::Type::False:
            return false;
        case JsonValue::Type::True:
            return true;
        case JsonValue::Type::Number:
            return value.number;
        case JsonValue::Type::String:
            return value.text;
        case JsonValue::Type::Array:
            return static_cast<double>(value.items);
        case JsonValue::Type::Object:
            return QJsonObject();
    }
    return {};
}

// The log reader's own JSON reading takes what is JSON (one object on a line) and reads the same values
// from it as Qt's general reader: a string's escapes and UTF-8, numbers, an array's length. It refuses
// what is not JSON, also where the general reader is lenient ("1.", ".5", a raw control character in a
// string, an unknown escape).
TEST(JsonLine, TakesJsonAsTheGeneralReaderReadsItAndRefusesTheRest) {
    const QByteArray json[] = {
        "{}",
        " \t{ \"a\" : 1 }\r",
        R"({"a":"x\"y\\z\/\b\f\n\r\t\u00e9\ud83d\ude00","\u0073tation":"k"})",
        "{\"a\":\"\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\"}",
        R"({"a":[1,[2,{"b":null}],"c"],"b":[],"c":{"d":[{}]}})",
        R"({"a":-0.5e+3,"b":0,"c":1E2,"d":-0,"e":123456789012345678901234567890,"f":4.11961})",
        R"({"a":true,"b":false,"c":null})",
        R"({"\ud83d\ude00":1,"\u00e9":2})",
    };
    for (const QByteArray& line : json) {
        SCOPED_TRACE(line.toStdString());
        std::map<QString, JsonValue> values;
        const std::optional<QString> problem =
            station::report::readJsonObject(line, [&](QStringView key) { return &values[key.toString()]; });
        QJsonObject ours;
        for (const auto& [key, value] : values) {
            ours.insert(key, asQt(value));
        }
        EXPECT_EQ(problem, std::nullopt);
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        EXPECT_EQ(ours.keys(), object.keys());
        for (auto member = object.begin(); member != object.end(); ++member) {
            SCOPED_TRACE(member.key().toStdString());
            QJsonValue expected = member.value();
            if (expected.isArray()) {
                expected = static_cast<double>(expected.toArray().size());
            } else if (expected.isObject()) {
                expected = QJsonObject();
            }
            EXPECT_EQ(ours.value(member.key()), expected);
        }
    }

    const QByteArray notJson[] = {
        "{",
        R"({"a"})",
        R"({"a":})",
        R"({"a":1,})",
        R"({"a":01})",
        R"({"a":1.})",
        R"({"a":.5})",
        R"({"a":+1})",
        R"({"a":tru})",
        R"({"a":NaN})",
        R"({"a":1e999})",
        "{\"a\":\"\x01\"}",
        R"({"a":"\q"})",
        R"({"a":"\u12G4"})",
        R"({"a":"\u12)",
        R"({"a":1}x)",
        R"({'a':1})",
        "{\"a\":\"\xC3\x28\"}",          // not UTF-8
        "{\"a\":\"\xC0\xAF\"}",          // an overlong form
        "{\"a\":\"\xF4\x90\x80\x80\"}",  // beyond U+10FFFF
        R"({"a":[1 2]})",
        R"({"a":[1,]})",
        R"([{"a":1}])",
        "42",
    };
    for (const QByteArray& line : notJson) {
        SCOPED_TRACE(line.toStdString());
        EXPECT_TRUE(station::report::readJsonObject(line, [](QStringView) { return nullptr; }).has_value());
    }
}

TEST(JsonLine, SaysWhereTheLineStopsBeingJson) {
    const std::pair<QByteArray, QString> cases[] = {
        {R"({"a":"cut)", "not JSON (cut short after character 9)"},
        {R"({"a":1,"b")", "not JSON (cut short after character 10)"},
        {R"({"a":01})", "not JSON (',' or '}' expected at character 7)"},
        {R"({"a":"\q"})", "not JSON (an escape expected at character 8)"},
        {R"({"a":1} x)", "not JSON (text after the object at character 9)"},
        {R"(x{"a":1})", "not a JSON object"},
        {R"(["a"])", "not a JSON object"},
        {QByteArray(600, '[').prepend("{\"a\":"), "not JSON (nested too deeply at character 517)"},
    };
    for (const auto& [line, expected] : cases) {
        SCOPED_TRACE(line.left(40).toStdString());
        EXPECT_EQ(station::report::readJsonObject(line, [](QStringView) { return nullptr; }), expected);
    }
}

}  // namespace
}  // namespace vcm::test
