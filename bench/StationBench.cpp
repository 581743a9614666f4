// The time per board of a station session on the simulated board, against its floor: the waits a board
// cannot do without (the EEPROM's write time and the settle time before each reading). The session runs
// as a station runs it: the real vcm7310 with the built-in meter talking to the fake bench meter over
// 127.0.0.1, both connected once. Figures only; nothing here passes or fails.
#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kEepromWriteMs = 100;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int boards = argc > 1 ? QString::fromLatin1(argv[1]).toInt() : 20;
    const int settleMs = argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 20;
    QTemporaryDir dir;
    const QString board = dir.filePath(QStringLiteral("board.json"));
    const QString log = dir.filePath(QStringLiteral("station.jsonl"));

    QProcess meter;
    meter.start(QStringLiteral(FAKE_SCPI_METER_PATH),
                {QStringLiteral("--sim-state"), board, QStringLiteral("--mode"), QStringLiteral("normal")});
    while (meter.waitForStarted(10000) && !meter.canReadLine() && meter.waitForReadyRead(10000)) {
    }
    const QString address =
        QStringLiteral("scpi:tcp:127.0.0.1:") + QString::fromLatin1(meter.readLine().trimmed());

    QStringList ids;
    for (int i = 1; i <= boards; ++i) {
        ids << QStringLiteral("B%1").arg(i, 4, 10, QLatin1Char('0'));
    }
    QProcess station;
    QElapsedTimer clock;
    clock.start();
    station.start(
        QStringLiteral(VCM7310_PATH),
        {QStringLiteral("station"), QStringLiteral("--vcom"), QStringLiteral("4.0"),
         QStringLiteral("--program"), QStringLiteral("--sim-state"), board,
         QStringLiteral("--sim-vcom-error"), QStringLiteral("3"), QStringLiteral("--meter"), address,
         QStringLiteral("--settle"), QString::number(settleMs), QStringLiteral("--log"), log});
    station.write((ids.join(u'\n') + u'\n').toUtf8());
    station.closeWriteChannel();
    station.waitForFinished(-1);
    const double sessionMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    meter.closeWriteChannel();
    meter.waitForFinished(10000);

    // The floor, from what each board's line says was done: a settle before each reading, and the EEPROM's
    // write time for each programmed board.
    QFile file(log);
    if (station.exitCode() != 0 || !file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "the session failed: %s\n", station.readAllStandardError().constData());
        return 1;
    }
    double floorMs = 0.0;
    int readings = 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QJsonObject record = QJsonDocument::fromJson(line).object();
        if (record.isEmpty()) {
            continue;
        }
        const qsizetype count = record.value(QStringLiteral("measurements")).toArray().size();
        readings += static_cast<int>(count);
        floorMs += static_cast<double>(count) * settleMs +
                   (record.value(QStringLiteral("programmed")).toBool() ? kEepromWriteMs : 0);
    }
    std::printf("station session: %d boards, %.1f readings a board, settle %d ms\n", boards,
                static_cast<double>(readings) / boards, settleMs);
    std::printf(
        "  per board %.1f ms, its waits %.1f ms: %.2fx the floor (start-up and connection included)\n",
        sessionMs / boards, floorMs / boards, sessionMs / floorMs);
    return 0;
}
