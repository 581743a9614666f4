#include "station/StationLog.h"

#include <QDateTime>

namespace vcm::station {

StationLog::StationLog(const QString& path) : file_(path) {}

void StationLog::append(const JsonObject& line) {
    file_.append((line.toText() + u'\n').toUtf8());
}

QString logTimeNow() {
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs);
}

}  // namespace vcm::station
