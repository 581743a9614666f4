// The station log's line reader: whatever a line holds, reading it ends with an attempt or a problem, and
// every line its JSON reading takes is JSON that Qt's general reader takes too and reads the same way.
#include "FuzzCheck.h"
#include "station/report/JsonLine.h"
#include "station/report/LogReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdint>
#include <deque>

using vcm::fuzz::require;
using vcm::station::report::JsonValue;

namespace {

bool sameValue(const JsonValue& ours, const QJsonValue& theirs) {
    switch (ours.type) {
        case JsonValue::Type::Null:
            return theirs.isNull();
        case JsonValue::Type::False:
            return theirs.isBool() && !theirs.toBool();
        case JsonValue::Type::True:
            return theirs.isBool() && theirs.toBool();
        case JsonValue::Type::Number:
            return theirs.isDouble() && theirs.toDouble() == ours.number;
        case JsonValue::Type::String:
            return theirs.isString() && theirs.toString() == ours.text;
        case JsonValue::Type::Array:
            return theirs.isArray() && theirs.toArray().size() == ours.items;
        case JsonValue::Type::Object:
            return theirs.isObject();
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray line(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = QString::fromUtf8(line);

    const auto read = vcm::station::report::readLogLine(line);
    if (const auto* problem = std::get_if<vcm::station::report::LineProblem>(&read)) {
        require(!problem->text.isEmpty(), "a line that is not an attempt says why", text);
    }

    // Each member's value in a slot of its own, so that a key given twice shows twice.
    std::deque<std::pair<QString, JsonValue>> members;
    const std::optional<QString> problem = vcm::station::report::readJsonObject(line, [&](QStringView key) {
        members.emplace_back(key.toString(), JsonValue());
        return &members.back().second;
    });
    if (problem) {
        require(problem->startsWith(QStringLiteral("not ")), "a refusal says what the line is not", *problem);
        return 0;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(line, &error);
    require(error.error == QJsonParseError::NoError && document.isObject(),
            "what the log reader takes as an object, the general reader takes too", text);
    const QJsonObject object = document.object();
    const QChar byteOrderMark(0xFEFF);
    for (const auto& member : members) {
        const QString& key = member.first;
        // Qt's reader drops a byte-order mark at a string's start, and then cannot find such a key by
        // name: it is no reference for those.
        if (key.contains(byteOrderMark) || member.second.text.contains(byteOrderMark)) {
            continue;
        }
        // A key given twice may keep either value in the general reader.
        const bool once = std::count_if(members.begin(), members.end(),
                                        [&](const auto& other) { return other.first == key; }) == 1;
        require(object.contains(key), "every member read is in the general reader's object", key);
        require(!once || sameValue(member.second, object.value(key)),
                "a member reads as the general reader reads it", key);
    }
    return 0;
}
