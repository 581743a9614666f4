#include "station/StationLog.h"

#include <QDateTime>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace vcm::station {

StationLog::StationLog(const QString& path) : path_(path), file_(path) {}

void StationLog::append(const JsonObject& line) {
    file_.append((line.toText() + u'\n').toUtf8());
}

BoardHistory StationLog::history(const QString& boardId) {
    readNewLines();
    return boards_.value(boardId);
}

void StationLog::readNewLines() {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(readUpTo_)) {
        return;
    }
    while (true) {
        const QByteArray line = file.readLine();
        // Only whole lines count; a line still being written is read next time.
        if (line.isEmpty() || !line.endsWith('\n')) {
            break;
        }
        readUpTo_ += line.size();
        const QJsonObject record = QJsonDocument::fromJson(line).object();
        const QString board = record.value(QStringLiteral("boardId")).toString();
        if (board.isEmpty()) {
            continue;
        }
        BoardHistory& history = boards_[board];
        ++history.attempts;
        // Lines of earlier versions say "result" and "time".
        const QString outcome = record.value(QStringLiteral("outcome"))
                                    .toString(record.value(QStringLiteral("result")).toString());
        if (outcome == QStringLiteral("pass")) {
            history.passed = true;
            history.lastPass =
                record.value(QStringLiteral("end")).toString(record.value(QStringLiteral("time")).toString());
        }
    }
}

QString logTimeNow() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

}  // namespace vcm::station
