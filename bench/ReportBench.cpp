// `vcm7310 report` over a generated station log of a million lines (or as many as the first argument
// says, in the folder the second names): the time to read it and print the summary, then with the CSV and SVG
// files written too, and the peak memory. The command runs in this process as the tool runs it, its output
// counted, not printed. Figures only; nothing here passes or fails.
#include "cli/commands/Commands.h"
#include "cli/options/CommandLine.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>

#include <sys/resource.h>

namespace {

/// A shift's log as four stations write it: closed-loop trims with five measurements, a few model trims,
/// one board in twelve failing first and passing on its retest, some attempts without a board, older
/// lines, and now and then a line cut short.
qint64 writeLog(const QString& path, long lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return -1;
    }
    std::mt19937 random(7310);
    std::uniform_int_distribution<int> percent(0, 99);
    std::normal_distribution<double> error(0.0, 0.002);
    QByteArray block;
    char line[1024];
    long board = 0;
    bool retestPending = false;
    for (long i = 0; i < lines; ++i) {
        const auto seconds = static_cast<std::time_t>(1796792706L + i * 3);
        const int station = static_cast<int>(i % 4) + 1;
        const int kind = percent(random);
        const double err = error(random);
        const bool retest = retestPending;
        retestPending = false;
        if (!retest) {
            ++board;
        }
        const bool pass = retest || (kind % 12 != 0 && std::abs(err) <= 0.005);
        retestPending = !pass && !retest;
        const char* outcome = pass ? "pass" : "fail";
        char time[32];
        std::strftime(time, sizeof time, "%Y-%m-%dT%H:%M:%S", std::gmtime(&seconds));
        int n = 0;
        if (kind == 0 && i % 1000 == 0) {
            n = std::snprintf(line, sizeof line, "{\"start\":\"%s.000Z\",\"station\":\"bench-%d\",\"boa\n",
                              time, station);
        } else if (kind == 1) {
            n = std::snprintf(line, sizeof line,
                              "{\"time\":\"%s.000Z\",\"boardId\":\"B%07ld\",\"tool\":\"vcm7310 0.9.0\","
                              "\"adapter\":\"sim\",\"basis\":\"measured\",\"target\":4,\"measurements\":[],"
                              "\"chosen\":\"7D\",\"finalVcom\":%.6f,\"result\":\"%s\",%s\"programmed\":%s}\n",
                              time, board, 4.0 + err, outcome, pass ? "" : "\"reason\":\"trim: too far\",",
                              pass ? "true" : "false");
        } else if (kind <= 4) {
            n = std::snprintf(line, sizeof line,
                              "{\"start\":\"%s.000Z\",\"end\":\"%s.200Z\",\"station\":\"bench-%d\",\"tool\":"
                              "\"vcm7310 1.0.0\",\"adapter\":\"sim\",\"basis\":\"model\",\"target\":4,"
                              "\"recipe\":\"1a2b3c4d\",\"measurements\":[],\"chosen\":\"7D\","
                              "\"predictedVcom\":3.9996,\"outcome\":\"pass\",\"programmed\":true}\n",
                              time, time, station);
        } else {
            n = std::snprintf(
                line, sizeof line,
                "{\"start\":\"%s.000Z\",\"end\":\"%s.950Z\",\"station\":\"bench-%d\",\"operator\":\"ana\","
                "\"boardId\":\"B%07ld\",\"attempt\":%d,\"tool\":\"vcm7310 1.0.0\",\"adapter\":\"i2c:3\","
                "\"meter\":\"scpi:tcp:192.0.2.10:5025\",\"meterIdentity\":\"MAKER,DMM,123,1.0\","
                "\"basis\":\"measured\",\"target\":4,\"tolerance\":0.005,\"recipe\":\"1a2b3c4d\","
                "\"measurements\":[{\"hex\":\"80\",\"value\":128,\"vcom\":3.9207,\"seconds\":0.012},"
                "{\"hex\":\"7C\",\"value\":124,\"vcom\":4.0101,\"seconds\":0.105},"
                "{\"hex\":\"7D\",\"value\":125,\"vcom\":3.9977,\"seconds\":0.198},"
                "{\"hex\":\"7E\",\"value\":126,\"vcom\":3.9854,\"seconds\":0.291},"
                "{\"hex\":\"7D\",\"value\":125,\"vcom\":%.6f,\"seconds\":0.384}],"
                "\"chosen\":\"7D\",\"finalVcom\":%.6f,\"afterProgram\":%.6f,\"outcome\":\"%s\",%s"
                "\"programmed\":%s}\n",
                time, time, station, board, retest ? 2 : 1, 4.0 + err, 4.0 + err, 4.0 + err, outcome,
                pass ? "" : "\"failure\":\"out-of-tolerance\",\"reason\":\"trim: out of tolerance\",",
                pass ? "true" : "false");
        }
        block.append(line, n);
        if (block.size() > (1 << 22)) {
            file.write(block);
            block.clear();
        }
    }
    file.write(block);
    return file.size();
}

/// Runs `vcm7310 report ARGUMENTS` in this process and prints its time; returns the exit code.
int timeReport(const char* what, const QStringList& arguments) {
    const vcm::cli::ParsedCommandLine parsed =
        vcm::cli::parseCommandLine(QStringList{"vcm7310"} + arguments, {});
    qint64 printed = 0;
    qint64 warnings = 0;
    QElapsedTimer wall;
    wall.start();
    const std::clock_t cpu = std::clock();
    const int code = vcm::cli::runInvocation(
        parsed.invocation, [&](const QString& line) { printed += line.size() + 1; },
        [&](const QString&) { ++warnings; });
    const double cpuSeconds = static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
    std::printf("%-28s %7.2f s wall %7.2f s CPU  (exit %d, %lld characters out, %lld warnings)\n", what,
                static_cast<double>(wall.nsecsElapsed()) / 1e9, cpuSeconds, code,
                static_cast<long long>(printed), static_cast<long long>(warnings));
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    const QCoreApplication app(argc, argv);
    const long lines = argc > 1 ? std::atol(argv[1]) : 1000000;
    // A folder given second keeps the log, to profile the tool on it.
    QTemporaryDir temporary;
    const QDir dir(argc > 2 ? QString::fromLocal8Bit(argv[2]) : temporary.path());
    const QString log = dir.filePath(QStringLiteral("station.jsonl"));
    QElapsedTimer timer;
    timer.start();
    const qint64 bytes = writeLog(log, lines);
    if (bytes < 0) {
        return 1;
    }
    std::printf("log of %ld lines, %.0f MB, written in %.2f s\n", lines, static_cast<double>(bytes) / 1e6,
                static_cast<double>(timer.nsecsElapsed()) / 1e9);

    timeReport("report (summary)", {"report", log});
    timeReport("report --csv --svg", {"report", log, "--csv", dir.filePath(QStringLiteral("attempts.csv")),
                                      "--svg", dir.filePath(QStringLiteral("errors.svg"))});
    std::printf("CSV file %.0f MB\n",
                static_cast<double>(QFileInfo(dir.filePath(QStringLiteral("attempts.csv"))).size()) / 1e6);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory %ld MB\n", usage.ru_maxrss / 1024);
    return 0;
}
