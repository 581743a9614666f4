#pragma once

// Reading one JSON object from a line, member by member. A station log of a million lines spends most of
// its reading time in a general JSON reader building a document of every value; this one hands over the
// top-level members alone, checks nested values without keeping them, and says where the text stops
// being JSON (RFC 8259).

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace vcm::station::report {

/// A member's value: strings are decoded, numbers read, arrays counted, objects only checked.
struct JsonValue {
    enum class Type { Null, False, True, Number, String, Array, Object };
    bool decode = true;  ///< set by the caller: whether a string is decoded, or only its type told
    Type type = Type::Null;
    double number = 0.0;  ///< Number
    QString text;         ///< String
    qsizetype items = 0;  ///< Array: how many values it holds
};

/// Reads `line` as one JSON object with nothing but white space around it. For each top-level member, in
/// the order written (a key given twice comes twice), `slot(key)` gives the value to fill, or null to
/// check it alone. Returns why the line is not one JSON object, in a few words, or nothing when it is.
std::optional<QString> readJsonObject(QByteArrayView line,
                                      const std::function<JsonValue*(QStringView key)>& slot);

}  // namespace vcm::station::report
