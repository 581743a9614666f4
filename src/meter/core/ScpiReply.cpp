#include "meter/core/ScpiReply.h"

#include <QRegularExpression>

#include <cmath>

namespace vcm::meter {

namespace {

// What instruments send for a reading out of range; the NaN marker 9.91E37 is above it.
constexpr double kOverload = 9.9e37;

}  // namespace

ScpiReading scpiReading(const QString& reply) {
    static const QRegularExpression number(
        QStringLiteral(R"(^[+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?$)"));
    const QString text = reply.trimmed();
    if (text.contains(u',') || text.contains(u';')) {
        return {ScpiReading::Kind::SeveralValues, 0.0};
    }
    if (!number.match(text).hasMatch()) {
        return {ScpiReading::Kind::NotANumber, 0.0};
    }
    bool ok = false;
    const double volts = text.toDouble(&ok);
    if (!ok || !std::isfinite(volts)) {
        return {ScpiReading::Kind::NotANumber, 0.0};
    }
    if (std::fabs(volts) >= kOverload) {
        return {ScpiReading::Kind::Overload, 0.0};
    }
    return {ScpiReading::Kind::Volts, volts};
}

std::optional<ScpiError> scpiError(const QString& reply) {
    static const QRegularExpression code(QStringLiteral(R"(^[+-]?[0-9]{1,9}$)"));
    const QString text = reply.trimmed();
    const qsizetype comma = text.indexOf(u',');
    const QString codeText = (comma < 0 ? text : text.left(comma)).trimmed();
    if (!code.match(codeText).hasMatch()) {
        return std::nullopt;
    }
    ScpiError error;
    error.code = codeText.toInt();
    if (comma >= 0) {
        QString message = text.mid(comma + 1).trimmed();
        if (message.size() >= 2 && message.startsWith(u'"') && message.endsWith(u'"')) {
            message = message.mid(1, message.size() - 2);
        }
        error.text = message;
    }
    return error;
}

}  // namespace vcm::meter
