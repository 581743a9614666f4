#pragma once

#include <QByteArray>
#include <QMutex>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace vcm::test {

/// How the fake instrument misbehaves, if at all.
enum class FakeScpiMode {
    Normal,          ///< answers everything as a sound meter does
    StopsAnswering,  ///< from the first measurement query on, answers nothing at all
    AnswersJunk,     ///< answers a measurement query with a number, a unit and a control character
    RefusesConfig,   ///< CONF:VOLT:DC puts a settings conflict into the error queue
    ReadingError,    ///< a measurement answers the overload value and queues "data out of range"
    Closes,          ///< closes the connection on a measurement query
    Floods,          ///< answers a measurement query with digits as fast as the link takes them, no line end
    Trickles,        ///< answers a measurement query with a digit every 10 ms, never a line end
};

/// A reply that never ends its line, which the server goes on sending by itself.
enum class FakeScpiStream {
    None,
    Flood,    ///< as much as the link takes, up to 32 MiB (far beyond any cap on a reply)
    Trickle,  ///< one digit every 10 ms, until the link closes
};

/// The replies of a small SCPI multimeter of our own: *IDN?, *CLS, CONF:VOLT:DC, READ? (and MEAS:VOLT:DC?,
/// for a query given on the command line), SYST:ERR? with an error queue; anything else queues
/// -113,"Undefined header". The reading comes from the function it is given. Safe to call from the
/// thread that serves it while a test reads `received()`.
class FakeScpiProtocol {
  public:
    using Reading = std::function<double()>;

    struct Answer {
        std::optional<QByteArray> reply;  ///< without a line end; nothing when the command has no reply
        bool close = false;               ///< close the connection instead of answering
        FakeScpiStream stream = FakeScpiStream::None;  ///< start a reply that never ends instead
    };

    FakeScpiProtocol(FakeScpiMode mode, Reading reading);

    /// The answer to one command line (its line end already removed).
    Answer answer(const QByteArray& command);
    /// Every command received, in order.
    QStringList received() const;

    static QByteArray identification() { return "VCM Test Instruments,FAKE-DMM 1,0001,1.0"; }

  private:
    FakeScpiMode mode_;
    Reading reading_;
    std::vector<QByteArray> errors_;
    bool silent_ = false;
    mutable QMutex mutex_;
    QStringList received_;
};

}  // namespace vcm::test
