#include "station/report/LogReader.h"

#include "station/report/JsonLine.h"

#include <QDateTime>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <string_view>
#include <vector>

namespace vcm::station::report {

namespace {

/// The members a line may have, in byte order; any other is ignored.
constexpr std::array<std::string_view, 25> kKnownKeys{
    "adapter",       "afterProgram", "attempt",      "basis",  "boardId",       "chosen",   "end",
    "failure",       "finalVcom",    "measurements", "meter",  "meterIdentity", "operator", "outcome",
    "predictedVcom", "programmed",   "reason",       "recipe", "result",        "start",    "station",
    "target",        "time",         "tolerance",    "tool"};
static_assert(std::is_sorted(kKnownKeys.begin(), kKnownKeys.end()), "Members::at looks names up by halves");

std::optional<std::size_t> knownKey(QStringView key) {
    // Only the names of the key's length are compared: a million lines ask this some twenty million times.
    static const auto byLength = [] {
        std::array<std::vector<std::size_t>, 16> lists;
        for (std::size_t i = 0; i < kKnownKeys.size(); ++i) {
            lists.at(kKnownKeys[i].size()).push_back(i);
        }
        return lists;
    }();
    if (key.size() >= static_cast<qsizetype>(byLength.size())) {
        return std::nullopt;
    }
    for (const std::size_t index : byLength[static_cast<std::size_t>(key.size())]) {
        const std::string_view name = kKnownKeys[index];
        if (std::equal(name.begin(), name.end(), key.begin(),
                       [](char a, QChar b) { return a == b.unicode(); })) {
            return index;
        }
    }
    return std::nullopt;
}

/// The texts only the CSV shows: for the summary alone they are not decoded (a million lines would spend
/// a second in it), though their types are checked all the same.
constexpr std::array<std::string_view, 9> kCsvTexts{"adapter",  "basis",  "end",    "meter", "meterIdentity",
                                                    "operator", "reason", "recipe", "tool"};

/// The known members of a line's object by their type; the first member of a wrong type is remembered,
/// and a null member is one left out (of a key given twice, the last counts).
class Members {
  public:
    explicit Members(bool everything) {
        if (!everything) {
            for (const std::string_view name : kCsvTexts) {
                at(QLatin1StringView(name.data(), static_cast<qsizetype>(name.size()))).decode = false;
            }
        }
    }
    /// Where the value of `key` goes, or null for an unknown key.
    JsonValue* slot(QStringView key) {
        const std::optional<std::size_t> index = knownKey(key);
        return index ? &values_[*index] : nullptr;
    }

    QString text(QLatin1StringView key) {
        JsonValue& value = at(key);
        if (value.type == JsonValue::Type::String) {
            return std::move(value.text);
        }
        expect(value, key, "a string");
        return {};
    }
    std::optional<double> number(QLatin1StringView key) {
        const JsonValue& value = at(key);
        if (value.type == JsonValue::Type::Number) {
            return value.number;
        }
        expect(value, key, "a number");
        return std::nullopt;
    }
    std::optional<bool> boolean(QLatin1StringView key) {
        const JsonValue& value = at(key);
        if (value.type == JsonValue::Type::True || value.type == JsonValue::Type::False) {
            return value.type == JsonValue::Type::True;
        }
        expect(value, key, "true or false");
        return std::nullopt;
    }
    int arraySize(QLatin1StringView key) {
        const JsonValue& value = at(key);
        if (value.type == JsonValue::Type::Array) {
            return static_cast<int>(value.items);
        }
        expect(value, key, "an array");
        return 0;
    }
    bool has(QLatin1StringView key) { return at(key).type != JsonValue::Type::Null; }
    /// Marks `key` as holding a bad value, unless an earlier member already did.
    void bad(QLatin1StringView key, const QString& why) {
        if (problem_.isEmpty()) {
            problem_ = QStringLiteral("%1 %2").arg(key, why);
        }
    }
    const QString& problem() const { return problem_; }

  private:
    JsonValue& at(QLatin1StringView key) {
        // Asked by the names of kKnownKeys alone.
        const std::string_view name(key.data(), static_cast<std::size_t>(key.size()));
        return values_[static_cast<std::size_t>(std::lower_bound(kKnownKeys.begin(), kKnownKeys.end(), name) -
                                                kKnownKeys.begin())];
    }
    void expect(const JsonValue& value, QLatin1StringView key, const char* what) {
        if (value.type != JsonValue::Type::Null) {
            bad(key, QStringLiteral("is not %1").arg(QLatin1StringView(what)));
        }
    }

    std::array<JsonValue, kKnownKeys.size()> values_;
    QString problem_;
};

std::optional<Outcome> outcomeOf(const QString& text) {
    for (const Outcome outcome : {Outcome::Pass, Outcome::Fail, Outcome::Error, Outcome::Aborted}) {
        if (text == outcomeName(outcome)) {
            return outcome;
        }
    }
    return std::nullopt;
}

/// "7D", "0x7d", "7": one or two hex digits.
std::optional<std::uint8_t> hexValue(QString text) {
    if (text.startsWith(QLatin1StringView("0x"), Qt::CaseInsensitive)) {
        text = text.mid(2);
    }
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    if (!ok || text.isEmpty() || text.size() > 2 || text.front() == u'+') {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

/// The digits at `from` as a number, or -1 when any of them is not a digit.
int digits(const QString& text, qsizetype from, qsizetype count) {
    int value = 0;
    for (qsizetype i = from; i < from + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9') {
            return -1;
        }
        value = value * 10 + (c - u'0');
    }
    return value;
}

/// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
qint64 daysFromCivil(int year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return qint64{era} * 146097 + dayOfEra - 719468;
}

void readAttempt(Members& members, LogAttempt& attempt) {
    attempt.end = members.text(QLatin1StringView("end"));
    attempt.station = members.text(QLatin1StringView("station"));
    if (attempt.station.isEmpty()) {
        attempt.station = QString::fromUtf16(kUnknownStation);
    }
    attempt.operatorName = members.text(QLatin1StringView("operator"));
    attempt.boardId = members.text(QLatin1StringView("boardId"));
    if (const std::optional<double> number = members.number(QLatin1StringView("attempt"))) {
        if (*number >= 1 && *number <= 1e9 && std::floor(*number) == *number) {
            attempt.attempt = static_cast<int>(*number);
        } else {
            members.bad(QLatin1StringView("attempt"), QStringLiteral("is not a whole number from 1"));
        }
    }
    attempt.tool = members.text(QLatin1StringView("tool"));
    attempt.adapter = members.text(QLatin1StringView("adapter"));
    attempt.meter = members.text(QLatin1StringView("meter"));
    attempt.meterIdentity = members.text(QLatin1StringView("meterIdentity"));
    attempt.basis = members.text(QLatin1StringView("basis"));
    attempt.recipe = members.text(QLatin1StringView("recipe"));
    attempt.target = members.number(QLatin1StringView("target"));
    attempt.tolerance = members.number(QLatin1StringView("tolerance"));
    attempt.measurements = members.arraySize(QLatin1StringView("measurements"));
    const QString chosen = members.text(QLatin1StringView("chosen"));
    if (!chosen.isEmpty()) {
        attempt.chosen = hexValue(chosen);
        if (!attempt.chosen) {
            members.bad(QLatin1StringView("chosen"), QStringLiteral("is not a DCP value in hex"));
        }
    }
    attempt.predictedVcom = members.number(QLatin1StringView("predictedVcom"));
    attempt.finalVcom = members.number(QLatin1StringView("finalVcom"));
    attempt.afterProgram = members.number(QLatin1StringView("afterProgram"));
    attempt.failure = members.text(QLatin1StringView("failure"));
    attempt.reason = members.text(QLatin1StringView("reason"));
    attempt.programmed = members.boolean(QLatin1StringView("programmed"));
}

}  // namespace

QString outcomeName(Outcome outcome) {
    switch (outcome) {
        case Outcome::Pass:
            return QStringLiteral("pass");
        case Outcome::Fail:
            return QStringLiteral("fail");
        case Outcome::Error:
            return QStringLiteral("error");
        case Outcome::Aborted:
            return QStringLiteral("aborted");
    }
    return {};
}

std::optional<double> LogAttempt::finalError() const {
    const std::optional<double> reached = finalVcom ? finalVcom : predictedVcom;
    if (!reached || !target) {
        return std::nullopt;
    }
    return *reached - *target;
}

std::optional<qint64> isoTimeMs(const QString& text) {
    // The logs' own form, "2026-12-09T05:05:06.076Z", read directly: a million lines would spend seconds in
    // the general parser. Any other ISO 8601 form goes to Qt's.
    if (text.size() == 24 && text.at(4) == u'-' && text.at(7) == u'-' && text.at(10) == u'T' &&
        text.at(13) == u':' && text.at(16) == u':' && text.at(19) == u'.' && text.at(23) == u'Z') {
        const int year = digits(text, 0, 4), month = digits(text, 5, 2), day = digits(text, 8, 2);
        const int hour = digits(text, 11, 2), minute = digits(text, 14, 2), second = digits(text, 17, 2);
        const int ms = digits(text, 20, 3);
        if (year >= 0 && month >= 1 && month <= 12 && day >= 1 && day <= 31 && hour >= 0 && hour <= 23 &&
            minute >= 0 && minute <= 59 && second >= 0 && second <= 60 && ms >= 0) {
            return ((daysFromCivil(year, month, day) * 24 + hour) * 60 + minute) * 60000 + second * 1000 + ms;
        }
    }
    const QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (!time.isValid()) {
        return std::nullopt;
    }
    return time.toMSecsSinceEpoch();
}

std::variant<LogAttempt, LineProblem> readLogLine(QByteArrayView line, bool everything) {
    Members members(everything);
    if (std::optional<QString> problem =
            readJsonObject(line, [&](QStringView key) { return members.slot(key); })) {
        return LineProblem{std::move(*problem)};
    }
    LogAttempt attempt;

    // The current format's "start" and "outcome", else the older "time" and "result".
    const bool current = members.has(QLatin1StringView("start"));
    const QLatin1StringView timeKey(current ? "start" : "time");
    attempt.start = members.text(timeKey);
    if (attempt.start.isEmpty() && members.problem().isEmpty()) {
        return LineProblem{QStringLiteral("no start (or time)")};
    }
    const std::optional<qint64> startMs = isoTimeMs(attempt.start);
    if (!startMs) {
        members.bad(timeKey, QStringLiteral("is not an ISO 8601 time"));
    }
    attempt.startMs = startMs.value_or(0);

    const bool hasOutcome = members.has(QLatin1StringView("outcome"));
    const QLatin1StringView outcomeKey(hasOutcome ? "outcome" : "result");
    const QString outcomeText = members.text(outcomeKey);
    const std::optional<Outcome> outcome = outcomeOf(outcomeText);
    if (outcomeText.isEmpty() && members.problem().isEmpty()) {
        return LineProblem{QStringLiteral("no outcome (or result)")};
    }
    if (!outcome || (!hasOutcome && *outcome != Outcome::Pass && *outcome != Outcome::Fail)) {
        members.bad(outcomeKey, hasOutcome ? QStringLiteral("is not pass, fail, error or aborted")
                                           : QStringLiteral("is not pass or fail"));
    }
    attempt.outcome = outcome.value_or(Outcome::Fail);

    readAttempt(members, attempt);
    if (!members.problem().isEmpty()) {
        return LineProblem{members.problem()};
    }
    return attempt;
}

LogReading readLog(QIODevice& device, const LogVisitor& visitor, bool everything) {
    LogReading reading;
    const auto take = [&](QByteArrayView line) {
        ++reading.lines;
        if (line.trimmed().isEmpty()) {
            return;
        }
        std::variant<LogAttempt, LineProblem> read = readLogLine(line, everything);
        if (const auto* attempt = std::get_if<LogAttempt>(&read)) {
            visitor.attempt(*attempt, reading.lines);
        } else {
            visitor.malformed(reading.lines, std::get<LineProblem>(read).text);
        }
    };
    // Read in large blocks and cut at the line ends: a log of a million lines is read at the disk's pace.
    // The part of a line at a block's end moves to the buffer's front, and the buffer grows for a line
    // longer than itself.
    QByteArray buffer(1 << 20, Qt::Uninitialized);
    qsizetype filled = 0;
    for (;;) {
        if (filled == buffer.size()) {
            buffer.resize(buffer.size() * 2);
        }
        const qint64 got = device.read(buffer.data() + filled, buffer.size() - filled);
        if (got < 0) {
            reading.error = device.errorString();
            return reading;
        }
        if (got == 0) {
            break;
        }
        const QByteArrayView text(buffer.constData(), filled + got);
        qsizetype from = 0;
        for (qsizetype end = text.indexOf('\n', filled); end >= 0; end = text.indexOf('\n', from)) {
            take(text.sliced(from, end - from));
            from = end + 1;
        }
        filled = text.size() - from;
        std::memmove(buffer.data(), buffer.constData() + from, static_cast<std::size_t>(filled));
    }
    if (filled > 0) {
        take(QByteArrayView(buffer.constData(), filled));
    }
    return reading;
}

}  // namespace vcm::station::report
