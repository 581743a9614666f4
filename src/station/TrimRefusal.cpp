#include "station/TrimRefusal.h"

#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"

#include <QLocale>

#include <cmath>

namespace vcm::station {

namespace {

const QLocale kC = QLocale::c();

QString volts(double value) {
    return dcp::formatGeneral(value, kC);
}

QString fixed(double value) {
    return dcp::formatFixed(value, 6, kC);
}

QString pointText(const DcpPoint& point) {
    return QStringLiteral("%1 V at %2").arg(volts(point.vcom), dcp::byteToHex(point.value));
}

/// The measurement of `value`, which the search took.
DcpPoint measured(const ClosedLoopResult& result, std::uint8_t value) {
    for (const DcpPoint& point : result.measurements) {
        if (point.value == value) {
            return point;
        }
    }
    return DcpPoint{value, 0.0};
}

TrimRefusal outOfReach(const ClosedLoopResult& result, double target, bool above) {
    const DcpPoint end = measured(result, above ? 0x00 : 0xFF);
    const QString side = above ? QStringLiteral("above the highest") : QStringLiteral("below the lowest");
    if (result.flatEnd) {
        const auto [from, to] = *result.flatEnd;
        return {QStringLiteral("flat"),
                QStringLiteral("target %1 V is %2 VCOM the board reaches: the VCOM stays at %3 V from %4 "
                               "to %5 (the output saturates or the DCP stops moving there)")
                    .arg(volts(target), side, volts(end.vcom), dcp::byteToHex(std::min(from.value, to.value)),
                         dcp::byteToHex(std::max(from.value, to.value)))};
    }
    return {QStringLiteral("out-of-reach"), QStringLiteral("target %1 V is %2 VCOM the board reaches (%3)")
                                                .arg(volts(target), side, pointText(end))};
}

}  // namespace

std::optional<TrimRefusal> refusalOf(const ClosedLoopResult& result, double target, double tolerance) {
    using Outcome = ClosedLoopResult::Outcome;
    switch (result.outcome) {
        case Outcome::Passed:
            return std::nullopt;
        case Outcome::OutOfTolerance:
            return TrimRefusal{
                QStringLiteral("out-of-tolerance"),
                QStringLiteral(
                    "%1 measures %2 V again, %3 V from the target %4 V, more than the tolerance %5 V")
                    .arg(dcp::byteToHex(result.best.value), volts(*result.finalVcom),
                         fixed(std::abs(*result.finalVcom - target)), volts(target), fixed(tolerance))};
        case Outcome::AboveRange:
            return outOfReach(result, target, true);
        case Outcome::BelowRange:
            return outOfReach(result, target, false);
        case Outcome::Reversed:
            return TrimRefusal{
                QStringLiteral("reversed"),
                QStringLiteral("the VCOM rises as the value rises (%1, %2): the board is reversed "
                               "or not a VCM7310 divider")
                    .arg(pointText(result.evidence->first), pointText(result.evidence->second))};
        case Outcome::NoChange:
            return TrimRefusal{
                QStringLiteral("no-change"),
                QStringLiteral("the VCOM hardly changes with the value (%1, %2): is the meter on "
                               "VCOM and the DCP connected?")
                    .arg(pointText(result.evidence->first), pointText(result.evidence->second))};
    }
    return std::nullopt;
}

QString movedAfterProgramming(std::uint8_t value, double vcom, double target, double tolerance) {
    return QStringLiteral(
               "%1 measures %2 V after programming, %3 V from the target %4 V, more than the "
               "tolerance %5 V; the EEPROM holds %1")
        .arg(dcp::byteToHex(value), volts(vcom), fixed(std::abs(vcom - target)), volts(target),
             fixed(tolerance));
}

}  // namespace vcm::station
