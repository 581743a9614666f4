#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace vcm::station {

/// One JSON object, its members in the order they were added (a reader sees them as the text output
/// shows them). Numbers are given as the texts the tool prints ("4.9179", "0.00016"), which are valid
/// JSON numbers, so a JSON reader and a human see the same digits.
class JsonObject {
  public:
    JsonObject& text(const QString& key, const QString& value);
    /// `numberText` is a JSON number, as the calculator's formats and formatGeneral write them; anything
    /// else (a number that is not finite) is written as null.
    JsonObject& number(const QString& key, const QString& numberText);
    JsonObject& integer(const QString& key, long long value);
    JsonObject& boolean(const QString& key, bool value);
    JsonObject& array(const QString& key, const std::vector<JsonObject>& items);
    JsonObject& textArray(const QString& key, const QStringList& values);
    JsonObject& object(const QString& key, const JsonObject& value);

    /// The object on one line, without a line break.
    QString toText() const;

  private:
    JsonObject& member(const QString& key, QString json);

    std::vector<std::pair<QString, QString>> members_;
};

/// A JSON string literal, quotes included.
QString jsonString(const QString& value);

}  // namespace vcm::station
