#include "meter/scpi/LineTransport.h"

#include <limits>

namespace vcm::meter {

namespace {

// The length of a reply without its line end; a CR at the end of what has come may be the start of one.
qsizetype replyLength(QByteArrayView reply) {
    return reply.endsWith('\r') ? reply.size() - 1 : reply.size();
}

}  // namespace

std::optional<QByteArray> takeLine(QByteArray& buffer) {
    const qsizetype end = buffer.indexOf('\n');
    if (replyLength(QByteArrayView(buffer).first(end < 0 ? buffer.size() : end)) > kLongestReply) {
        buffer.clear();
        throw LinkFailure{LinkFailure::Kind::TooLong, {}};
    }
    if (end < 0) {
        return std::nullopt;
    }
    QByteArray line = buffer.left(end);
    buffer.remove(0, end + 1);
    if (line.endsWith('\r')) {
        line.chop(1);
    }
    return line;
}

int remainingMilliseconds(QDeadlineTimer deadline) {
    const qint64 left = deadline.remainingTime();
    if (left < 0) {
        // A deadline that never passes would be a wait without a bound.
        return std::numeric_limits<int>::max();
    }
    return static_cast<int>(std::min<qint64>(left, std::numeric_limits<int>::max()));
}

void throwIfExpired(QDeadlineTimer deadline) {
    if (deadline.hasExpired()) {
        throw LinkFailure{LinkFailure::Kind::TimedOut, {}};
    }
}

}  // namespace vcm::meter
