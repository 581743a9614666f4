#include "cli/commands/CommandFailure.h"
#include "cli/commands/Commands.h"
#include "cli/commands/TrimBench.h"
#include "cli/commands/TrimOutput.h"
#include "dcp/DcpText.h"
#include "dcp/NumberFormat.h"
#include "meter/core/StopSignal.h"

#include <QLocale>
#include <QRegularExpression>

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace vcm::cli {

namespace {

/// The longest board id taken: a scanned label is a few dozen characters at most.
constexpr int kMaxIdLength = 128;

/// The next line of stdin without its line end; nothing at the end of the input or when a signal ended
/// the wait.
std::optional<QString> nextLine() {
    char buffer[kMaxIdLength * 4 + 2];
    QByteArray line;
    while (std::fgets(buffer, sizeof buffer, stdin)) {
        line += buffer;
        if (line.endsWith('\n')) {
            break;
        }
    }
    if (line.isEmpty()) {
        return std::nullopt;
    }
    return QString::fromUtf8(line).remove(u'\n').remove(u'\r');
}

bool inputIsTerminal() {
    return ::isatty(::fileno(stdin)) == 1;
}

/// What the session has done so far.
struct Tally {
    int boards = 0;
    int passed = 0;
    int failed = 0;
    int errors = 0;
    int refused = 0;
    int skipped = 0;

    void count(station::Verdict verdict) {
        ++boards;
        (verdict == station::Verdict::Pass ? passed : verdict == station::Verdict::Fail ? failed : errors)++;
    }
    QString yield() const {
        return boards == 0
                   ? QStringLiteral("-")
                   : dcp::formatFixed(100.0 * passed / boards, 1, QLocale::c()) + QStringLiteral(" %");
    }
};

/// The verdict line of one board: "PASS B123 7D 4.0012 V", "FAIL B124 out-of-tolerance trim: ...".
QString verdictLine(const Attempt& attempt) {
    const station::TrimResult& result = attempt.result;
    const QString name = station::verdictName(result.verdict).toUpper();
    if (!result.passed()) {
        return QStringLiteral("%1 %2 %3 %4")
            .arg(name, attempt.context.boardId, result.failure, result.message);
    }
    const double vcom =
        result.afterProgram.value_or(result.finalVcom.value_or(result.predictedVcom.value_or(0.0)));
    return QStringLiteral("%1 %2 %3 %4 V")
        .arg(name, attempt.context.boardId, dcp::byteToHex(*result.chosen),
             dcp::formatFixed(vcom, 4, QLocale::c()));
}

class Session {
  public:
    Session(const Invocation& invocation, const CommandOutput& out, const TrimSetup& setup,
            station::StationLog* log)
        : invocation_(invocation), out_(out), setup_(setup), log_(log) {
        if (!invocation.idPattern.isEmpty()) {
            pattern_.setPattern(QRegularExpression::anchoredPattern(invocation.idPattern));
        }
    }

    /// Reads ids until the end of the input, a station error or a stop; throws a CommandFailure for the
    /// station error that ended it.
    void run(TrimBench& bench) {
        const bool interactive = inputIsTerminal();
        if (interactive) {
            out_.note(
                QStringLiteral("station ready: scan or type a board id and Enter (Ctrl+D ends the session)"));
        }
        while (meter::StopSignal::pending() == 0) {
            const std::optional<QString> line = nextLine();
            if (!line || meter::StopSignal::pending() != 0) {
                return;
            }
            const QString id = line->trimmed();
            if (!accepted(id) || !mayTrim(id, interactive)) {
                continue;
            }
            trimOne(bench, id);
        }
    }

    JsonObject summary() const {
        out_.text(
            QStringLiteral("boards %1, passed %2, failed %3, errors %4, refused %5, skipped %6, yield %7")
                .arg(tally_.boards)
                .arg(tally_.passed)
                .arg(tally_.failed)
                .arg(tally_.errors)
                .arg(tally_.refused)
                .arg(tally_.skipped)
                .arg(tally_.yield()));
        return JsonObject()
            .text(QStringLiteral("command"), commandName(invocation_.command))
            .integer(QStringLiteral("boards"), tally_.boards)
            .integer(QStringLiteral("passed"), tally_.passed)
            .integer(QStringLiteral("failed"), tally_.failed)
            .integer(QStringLiteral("errors"), tally_.errors)
            .integer(QStringLiteral("refused"), tally_.refused)
            .integer(QStringLiteral("skipped"), tally_.skipped)
            .number(
                QStringLiteral("yield"),
                tally_.boards == 0
                    ? QStringLiteral("null")
                    : dcp::formatGeneral(static_cast<double>(tally_.passed) / tally_.boards, QLocale::c()));
    }

    const Tally& tally() const { return tally_; }

  private:
    /// An id the station takes; a refused one is said on stderr and touches nothing.
    bool accepted(const QString& id) {
        QString why;
        if (id.isEmpty()) {
            why = QStringLiteral("an empty board id");
        } else if (id.size() > kMaxIdLength) {
            why = QStringLiteral("a board id longer than %1 characters").arg(kMaxIdLength);
        } else if (pattern_.isValid() && !pattern_.pattern().isEmpty() && !pattern_.match(id).hasMatch()) {
            why = QStringLiteral("board id '%1' does not match --id-pattern '%2'")
                      .arg(id, invocation_.idPattern);
        }
        if (why.isEmpty()) {
            return true;
        }
        ++tally_.refused;
        out_.warning(QStringLiteral("station: refused %1; nothing was done").arg(why));
        return false;
    }

    /// Whether to trim a board again that already passed in the log: --retest, or the operator's yes.
    bool mayTrim(const QString& id, bool interactive) {
        const station::BoardHistory history = log_ ? log_->history(id) : station::BoardHistory{};
        if (!history.passed || invocation_.retest) {
            return true;
        }
        const QString passed = QStringLiteral("%1 passed already (%2)").arg(id, history.lastPass);
        if (interactive) {
            out_.note(passed + QStringLiteral(". Trim it again? [y/N]"));
            const QString answer = nextLine().value_or(QString()).trimmed().toLower();
            if (answer == QStringLiteral("y") || answer == QStringLiteral("yes")) {
                return true;
            }
        }
        ++tally_.skipped;
        out_.warning(QStringLiteral("station: %1; skipped (--retest trims it again)").arg(passed));
        return false;
    }

    void trimOne(TrimBench& bench, const QString& id) {
        const AttemptClock clock(setup_, id, log_);
        const Attempt attempt = clock.finish(bench.trim(setup_, clock, id, {}), &bench);
        tally_.count(attempt.result.verdict);
        out_.text(verdictLine(attempt));
        JsonObject json = trimJson(invocation_.command, setup_, attempt.result);
        json.text(QStringLiteral("boardId"), id)
            .text(QStringLiteral("outcome"), station::verdictName(attempt.result.verdict));
        if (!attempt.result.passed()) {
            json.text(QStringLiteral("failure"), attempt.result.failure)
                .text(QStringLiteral("error"), attempt.result.message);
        }
        out_.print(json);
        if (const std::optional<QString> problem = logAttempt(log_, attempt)) {
            // The next board could not be logged either.
            throw CommandFailure{kExitError, QStringLiteral("log"), *problem, summary()};
        }
        if (attempt.result.verdict == station::Verdict::Error) {
            // The next board would fail the same way: the station needs looking at.
            throw CommandFailure{
                kExitError, attempt.result.failure,
                QStringLiteral("station: stopped after %1: %2").arg(id, attempt.result.message), summary()};
        }
    }

    const Invocation& invocation_;
    const CommandOutput& out_;
    const TrimSetup& setup_;
    station::StationLog* log_;
    QRegularExpression pattern_;
    Tally tally_;
};

}  // namespace

JsonObject runStation(const Invocation& invocation, const CommandOutput& out,
                      const MeterMaker& builtInMeter) {
    const std::unique_ptr<station::StationLog> log = openStationLog(invocation.logFile);
    const TrimSetup setup = trimSetup(invocation);
    const meter::StopSignal stops;
    // Connected once: the adapter and the meter stay with the station while the boards change.
    TrimBench bench(invocation, builtInMeter, setup.closedLoop);
    Session session(invocation, out, setup, log.get());
    session.run(bench);
    const JsonObject summary = session.summary();
    if (const int signal = meter::StopSignal::pending(); signal != 0) {
        throw CommandFailure{kExitSignalBase + signal, QStringLiteral("stopped"),
                             QStringLiteral("station: stopped by ") + meter::StopSignal::name(signal),
                             summary};
    }
    if (session.tally().failed > 0) {
        throw CommandFailure{kExitFail, QStringLiteral("boards-failed"),
                             QStringLiteral("station: %1 of %2 boards failed")
                                 .arg(session.tally().failed)
                                 .arg(session.tally().boards),
                             summary};
    }
    return summary;
}

}  // namespace vcm::cli
