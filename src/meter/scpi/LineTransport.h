#pragma once

#include <QByteArray>
#include <QDeadlineTimer>
#include <QString>

#include <optional>

namespace vcm::meter {

/// Why a transport could not go on. The meter puts its name and the command around it.
struct LinkFailure {
    enum class Kind {
        TimedOut,  ///< the deadline passed with no (whole) reply
        TooLong,   ///< more than kLongestReply bytes came without a line end
        Closed,    ///< the other end closed the connection or the device went away
        Failed,    ///< anything else; `reason` says what ("cannot connect (Connection refused)")
    };
    Kind kind = Kind::Failed;
    QString reason;
};

/// The longest reply a transport takes, without its line end. A meter's answers are short: a reading is
/// some 16 bytes, an identification at most 72 and an error queue entry at most 255. The cap still
/// leaves room for a meter left set to take a few thousand readings per trigger, which is then refused
/// for its "several values" and shown, rather than cut off; and it keeps what a peer that never ends its
/// line can make us hold to some tens of kilobytes, refusing it as soon as it has sent that much.
inline constexpr qsizetype kLongestReply = 64 * 1024;

/// A line-oriented link to an instrument: one command out, one reply in. Every call returns by its
/// deadline or throws a LinkFailure; nothing waits without a bound.
class LineTransport {
  public:
    virtual ~LineTransport() = default;

    /// Opens the connection or the device.
    virtual void open(QDeadlineTimer deadline) = 0;
    /// Sends one command; the transport adds the line end.
    virtual void sendLine(const QByteArray& line, QDeadlineTimer deadline) = 0;
    /// The next reply, without its line end (LF or CR LF).
    virtual QByteArray readLine(QDeadlineTimer deadline) = 0;
};

/// The reply in a line buffer up to its LF, without the LF and a CR before it, taken out of `buffer`;
/// nothing while no LF has come. A reply longer than kLongestReply, whether its LF has come or not,
/// empties the buffer and throws a LinkFailure (TooLong): a transport that takes each chunk it reads
/// through here holds no more than the cap and one chunk.
std::optional<QByteArray> takeLine(QByteArray& buffer);

/// A deadline's time left in milliseconds for a Qt blocking wait: at least 0, never "forever".
int remainingMilliseconds(QDeadlineTimer deadline);

/// Throws a LinkFailure (TimedOut) once the deadline has passed. A read loop calls it before each wait:
/// a peer that keeps sending ends every wait early, so the waits' own bounds alone would not end the
/// loop.
void throwIfExpired(QDeadlineTimer deadline);

}  // namespace vcm::meter
