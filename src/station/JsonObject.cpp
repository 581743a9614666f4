#include "station/JsonObject.h"

#include <QRegularExpression>

namespace vcm::station {

QString jsonString(const QString& value) {
    QString out = QStringLiteral("\"");
    for (const QChar c : value) {
        switch (c.unicode()) {
            case u'"':
                out += QStringLiteral("\\\"");
                break;
            case u'\\':
                out += QStringLiteral("\\\\");
                break;
            case u'\n':
                out += QStringLiteral("\\n");
                break;
            case u'\r':
                out += QStringLiteral("\\r");
                break;
            case u'\t':
                out += QStringLiteral("\\t");
                break;
            default:
                if (c.unicode() < 0x20) {
                    out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
                } else {
                    out += c;
                }
        }
    }
    return out + u'"';
}

JsonObject& JsonObject::text(const QString& key, const QString& value) {
    return member(key, jsonString(value));
}

JsonObject& JsonObject::number(const QString& key, const QString& numberText) {
    // A number that JSON cannot hold ("inf", "nan", a text gone wrong) is written as null, so that a line
    // stays JSON whatever reached it.
    static const QRegularExpression jsonNumber(
        QStringLiteral(R"(^-?(0|[1-9][0-9]*)(\.[0-9]+)?([eE][+-]?[0-9]+)?$)"));
    return member(key, jsonNumber.match(numberText).hasMatch() ? numberText : QStringLiteral("null"));
}

JsonObject& JsonObject::integer(const QString& key, long long value) {
    return member(key, QString::number(value));
}

JsonObject& JsonObject::boolean(const QString& key, bool value) {
    return member(key, value ? QStringLiteral("true") : QStringLiteral("false"));
}

JsonObject& JsonObject::array(const QString& key, const std::vector<JsonObject>& items) {
    QStringList texts;
    for (const JsonObject& item : items) {
        texts << item.toText();
    }
    return member(key, u'[' + texts.join(u',') + u']');
}

JsonObject& JsonObject::textArray(const QString& key, const QStringList& values) {
    QStringList texts;
    for (const QString& value : values) {
        texts << jsonString(value);
    }
    return member(key, u'[' + texts.join(u',') + u']');
}

JsonObject& JsonObject::object(const QString& key, const JsonObject& value) {
    return member(key, value.toText());
}

QString JsonObject::toText() const {
    QStringList texts;
    for (const auto& [key, json] : members_) {
        texts << jsonString(key) + u':' + json;
    }
    return u'{' + texts.join(u',') + u'}';
}

JsonObject& JsonObject::member(const QString& key, QString json) {
    members_.emplace_back(key, std::move(json));
    return *this;
}

}  // namespace vcm::station
