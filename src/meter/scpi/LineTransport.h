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
        Closed,    ///< the other end closed the connection or the device went away
        Failed,    ///< anything else; `reason` says what ("cannot connect (Connection refused)")
    };
    Kind kind = Kind::Failed;
    QString reason;
};

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
/// nothing while no LF has come.
std::optional<QByteArray> takeLine(QByteArray& buffer);

/// A deadline's time left in milliseconds for a Qt blocking wait: at least 0, never "forever".
int remainingMilliseconds(QDeadlineTimer deadline);

}  // namespace vcm::meter
