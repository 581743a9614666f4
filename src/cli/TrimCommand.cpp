#include "calculator/FieldTexts.h"
#include "cli/BoardConnection.h"
#include "cli/CalcChecks.h"
#include "cli/CommandFailure.h"
#include "cli/Commands.h"
#include "cli/MeterSession.h"
#include "cli/StationLog.h"
#include "cli/Trim.h"
#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"

#include <QLocale>

#include <memory>

namespace vcm::cli {

namespace {

const QLocale kC = QLocale::c();
constexpr int kMeasuredDecimals = 6;

/// A difference with its sign always written: "+0.0004", "-0.0012".
QString signedText(double value, int decimals) {
    const QString text = dcp::formatFixed(value, decimals, kC);
    return text.startsWith(u'-') ? text : u'+' + text;
}

QString volts(double value) {
    return dcp::formatGeneral(value, kC);
}

JsonObject pointObject(const DcpPoint& point) {
    return JsonObject()
        .text(QStringLiteral("hex"), dcp::byteToHex(point.value))
        .integer(QStringLiteral("value"), point.value)
        .number(QStringLiteral("vcom"), volts(point.vcom));
}

QString adapterText(const adapter::AdapterSelection& adapter) {
    switch (adapter.choice) {
        case adapter::AdapterChoice::Simulated:
            return QStringLiteral("sim");
        case adapter::AdapterChoice::Absent:
            return QStringLiteral("none");
        case adapter::AdapterChoice::MakerLibrary:
            return adapter.target.isEmpty() ? QStringLiteral("crvhid")
                                            : QStringLiteral("crvhid:") + adapter.target;
        case adapter::AdapterChoice::I2cBus:
            return QStringLiteral("i2c:") + adapter.target;
    }
    return {};
}

/// One trim as it goes: what was measured and decided, for the output, the JSON object and the station
/// log alike, whether it passes or fails.
class TrimRecord {
  public:
    TrimRecord(const Invocation& invocation, bool closedLoop)
        : invocation_(invocation), closedLoop_(closedLoop) {}

    void measured(const DcpPoint& point) { measurements_.push_back(point); }
    void chose(std::uint8_t value) { chosen_ = value; }
    void finalVcom(double vcom) { finalVcom_ = vcom; }
    void setTolerance(double tolerance) { tolerance_ = tolerance; }
    void setMeter(const Meter& meter) {
        meterName_ = meter.description();
        meterIdentity_ = meter.identity();
    }
    void programmed() { programmed_ = true; }

    /// The command's JSON object so far, in the order the text output shows it.
    JsonObject json() const {
        JsonObject json;
        json.text(QStringLiteral("command"), commandName(invocation_.command))
            .number(QStringLiteral("target"), volts(invocation_.targetVcom))
            .text(QStringLiteral("basis"),
                  closedLoop_ ? QStringLiteral("measured") : QStringLiteral("model"));
        if (tolerance_) {
            json.number(QStringLiteral("tolerance"), dcp::formatFixed(*tolerance_, kMeasuredDecimals, kC));
        }
        if (closedLoop_) {
            json.array(QStringLiteral("measurements"), points());
        }
        return json;
    }

    /// The station log's line for this board.
    JsonObject logLine(const std::optional<QString>& failure) const {
        JsonObject line;
        line.text(QStringLiteral("time"), logTimeNow());
        if (!invocation_.boardId.isEmpty()) {
            line.text(QStringLiteral("boardId"), invocation_.boardId);
        }
        line.text(QStringLiteral("tool"), QStringLiteral("vcm7310 ") + invocation_.toolVersion)
            .text(QStringLiteral("adapter"), adapterText(invocation_.adapter.adapter))
            .text(QStringLiteral("basis"), closedLoop_ ? QStringLiteral("measured") : QStringLiteral("model"))
            .number(QStringLiteral("target"), volts(invocation_.targetVcom));
        if (tolerance_) {
            line.number(QStringLiteral("tolerance"), dcp::formatFixed(*tolerance_, kMeasuredDecimals, kC));
        }
        if (!meterName_.isEmpty()) {
            line.text(QStringLiteral("meter"), meterName_);
        }
        if (!meterIdentity_.isEmpty()) {
            line.text(QStringLiteral("meterIdentity"), meterIdentity_);
        }
        line.array(QStringLiteral("measurements"), points());
        if (chosen_) {
            line.text(QStringLiteral("chosen"), dcp::byteToHex(*chosen_));
        }
        if (finalVcom_) {
            line.number(QStringLiteral("finalVcom"), volts(*finalVcom_));
        }
        line.text(QStringLiteral("result"), failure ? QStringLiteral("fail") : QStringLiteral("pass"));
        if (failure) {
            line.text(QStringLiteral("reason"), *failure);
        }
        return line.boolean(QStringLiteral("programmed"), programmed_);
    }

  private:
    std::vector<JsonObject> points() const {
        std::vector<JsonObject> items;
        for (const DcpPoint& point : measurements_) {
            items.push_back(pointObject(point));
        }
        return items;
    }

    const Invocation& invocation_;
    bool closedLoop_;
    std::vector<DcpPoint> measurements_;
    std::optional<std::uint8_t> chosen_;
    std::optional<double> finalVcom_;
    std::optional<double> tolerance_;
    QString meterName_;
    QString meterIdentity_;
    bool programmed_ = false;
};

[[noreturn]] void fail(const QString& message) {
    throw CommandFailure{kExitFailed, QStringLiteral("trim: ") + message};
}

/// The model alone: the value is chosen before anything touches the bus.
JsonObject trimByModel(const Invocation& invocation, const CommandOutput& out, TrimRecord& record) {
    const double target = invocation.targetVcom;
    const calc::ForwardResults range = checkedForward(invocation.forward);
    if (target > range.voutMax || target < range.voutMin) {
        throw CommandFailure{kExitUsage,
                             QStringLiteral("trim: target %1 V is outside the reachable range %2 V "
                                            "(VOUTmin) to %3 V (VOUTmax)")
                                 .arg(volts(target), calc::voltageText(range.voutMin, kC),
                                      calc::voltageText(range.voutMax, kC))};
    }
    const auto nearest = nearestByModel(invocation.forward, target);
    if (const auto* fault = std::get_if<calc::ArithmeticFault>(&nearest)) {
        throw CommandFailure{kExitFailed, fault->message};
    }
    const DcpPoint best = std::get<DcpPoint>(nearest);
    record.chose(best.value);

    BoardConnection board(invocation);
    board.session().sendVerified(best.value);
    out.field(QStringLiteral("DCP"), dcpValueText(best.value));
    out.field(QStringLiteral("VCOM"), calc::voltageText(best.vcom, kC) + QStringLiteral(" V predicted"));
    out.field(QStringLiteral("error"), signedText(best.vcom - target, 4) + QStringLiteral(" V"));
    if (invocation.program) {
        board.session().program(best.value);
        record.programmed();
        out.text(QStringLiteral("programmed into the EEPROM"));
    }
    return record.json()
        .text(QStringLiteral("hex"), dcp::byteToHex(best.value))
        .integer(QStringLiteral("value"), best.value)
        .number(QStringLiteral("vcom"), calc::voltageText(best.vcom, kC))
        .number(QStringLiteral("error"), signedText(best.vcom - target, 4).remove(u'+'))
        .boolean(QStringLiteral("programmed"), invocation.program);
}

QString pointText(const DcpPoint& point) {
    return QStringLiteral("%1 V at %2").arg(volts(point.vcom), dcp::byteToHex(point.value));
}

/// Why the closed loop stopped without a value to program, or nothing when it found one.
std::optional<QString> refusal(const ClosedLoopResult& result, double target, double tolerance) {
    using Outcome = ClosedLoopResult::Outcome;
    const auto end = [&](std::uint8_t value) {
        for (const DcpPoint& point : result.measurements) {
            if (point.value == value) {
                return point;
            }
        }
        return DcpPoint{value, 0.0};
    };
    switch (result.outcome) {
        case Outcome::Passed:
            return std::nullopt;
        case Outcome::OutOfTolerance:
            return QStringLiteral(
                       "%1 measures %2 V again, %3 V from the target %4 V, more than the tolerance "
                       "%5 V")
                .arg(dcp::byteToHex(result.best.value), volts(*result.finalVcom),
                     dcp::formatFixed(std::abs(*result.finalVcom - target), kMeasuredDecimals, kC),
                     volts(target), dcp::formatFixed(tolerance, kMeasuredDecimals, kC));
        case Outcome::AboveRange:
            return QStringLiteral("target %1 V is above the highest VCOM the board reaches (%2)")
                .arg(volts(target), pointText(end(0x00)));
        case Outcome::BelowRange:
            return QStringLiteral("target %1 V is below the lowest VCOM the board reaches (%2)")
                .arg(volts(target), pointText(end(0xFF)));
        case Outcome::Reversed:
            return QStringLiteral(
                       "the VCOM rises as the value rises (%1, %2): the board is reversed or not "
                       "a VCM7310 divider")
                .arg(pointText(result.evidence->first), pointText(result.evidence->second));
        case Outcome::Flat:
            return QStringLiteral(
                       "the VCOM hardly changes with the value (%1, %2): is the meter on VCOM and "
                       "the DCP connected?")
                .arg(pointText(result.evidence->first), pointText(result.evidence->second));
    }
    return std::nullopt;
}

/// The closed loop: every value is sent, verified and measured; a failure stops it with the data register
/// at the last verified value and the EEPROM untouched.
JsonObject trimByMeasurement(const Invocation& invocation, const CommandOutput& out, TrimRecord& record,
                             const MeterMaker& builtInMeter) {
    const double target = invocation.targetVcom;
    const auto line = modelLineOf(invocation.forward);
    if (const auto* fault = std::get_if<calc::ArithmeticFault>(&line)) {
        throw CommandFailure{kExitFailed, fault->message};
    }
    const ModelLine model = std::get<ModelLine>(line);
    if (!(model.step() > 0.0)) {
        throw CommandFailure{kExitUsage, QStringLiteral("trim: the divider options give a VCOM that does not "
                                                        "fall as the DCP value rises, so there is no model "
                                                        "to start from")};
    }
    const double tolerance = invocation.tolerance.value_or(model.step());
    record.setTolerance(tolerance);
    out.field(
        QStringLiteral("tolerance"),
        dcp::formatFixed(tolerance, kMeasuredDecimals, kC) +
            (invocation.tolerance ? QStringLiteral(" V") : QStringLiteral(" V (one DCP step of the model)")));

    BoardConnection board(invocation);
    MeterSession meter(invocation, builtInMeter);
    record.setMeter(meter.meter());
    const MeasureAt measureAt = [&](std::uint8_t value) {
        const double vcom = meter.measureAt(board.session(), value);
        record.measured({value, vcom});
        out.text(QStringLiteral("measured %1: %2 V").arg(dcpValueText(value), volts(vcom)));
        return vcom;
    };
    const ClosedLoopResult result = nearestByMeasurement(target, model, tolerance, measureAt);
    if (result.finalVcom) {
        record.chose(result.best.value);
        record.finalVcom(*result.finalVcom);
    }
    if (const std::optional<QString> why = refusal(result, target, tolerance)) {
        fail(*why + QStringLiteral("; nothing was programmed"));
    }
    if (result.movedFrom) {
        out.field(QStringLiteral("moved"), QStringLiteral("from %1: a neighbour was nearer (the board is not "
                                                          "monotonic there)")
                                               .arg(dcpValueText(*result.movedFrom)));
    }
    const DcpPoint best{result.best.value, *result.finalVcom};
    const double error = best.vcom - target;
    out.field(QStringLiteral("DCP"), dcpValueText(best.value));
    out.field(QStringLiteral("VCOM"), volts(best.vcom) + QStringLiteral(" V measured"));
    out.field(QStringLiteral("error"), signedText(error, kMeasuredDecimals) + QStringLiteral(" V"));
    if (invocation.program) {
        board.session().program(best.value);
        record.programmed();
        out.text(QStringLiteral("programmed into the EEPROM"));
    }
    JsonObject json = record.json();
    json.text(QStringLiteral("hex"), dcp::byteToHex(best.value))
        .integer(QStringLiteral("value"), best.value)
        .number(QStringLiteral("vcom"), volts(best.vcom))
        .number(QStringLiteral("error"), signedText(error, kMeasuredDecimals).remove(u'+'));
    if (result.movedFrom) {
        json.text(QStringLiteral("movedFrom"), dcp::byteToHex(*result.movedFrom));
    }
    return json.boolean(QStringLiteral("programmed"), invocation.program);
}

}  // namespace

JsonObject runTrim(const Invocation& invocation, const CommandOutput& out, const MeterMaker& builtInMeter) {
    const bool closedLoop = invocation.meter.given();
    // Opened first: a station that cannot log its boards must not trim them.
    const std::unique_ptr<StationLog> log =
        invocation.logFile.isEmpty() ? nullptr : std::make_unique<StationLog>(invocation.logFile);
    TrimRecord record(invocation, closedLoop);
    try {
        JsonObject json = closedLoop ? trimByMeasurement(invocation, out, record, builtInMeter)
                                     : trimByModel(invocation, out, record);
        if (log) {
            log->append(record.logLine(std::nullopt));
        }
        return json;
    } catch (CommandFailure& failure) {
        if (log) {
            log->append(record.logLine(failure.message));
        }
        failure.done = record.json();
        throw;
    }
}

}  // namespace vcm::cli
