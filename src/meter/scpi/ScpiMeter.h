#pragma once

#include "meter/core/Meter.h"
#include "meter/core/ScpiReply.h"
#include "meter/scpi/LineTransport.h"

#include <QString>

#include <functional>
#include <memory>
#include <utility>

namespace vcm::meter {

/// A multimeter that speaks SCPI over any line transport. connect() asks `*IDN?`, clears the status
/// (`*CLS`, so the check that follows sees only this session's errors), sets DC volts (`CONF:VOLT:DC`)
/// and checks with `SYST:ERR?` that it took; each measurement sends the query (`READ?` by default) and
/// reads one number in volts.
///
/// Each wait for the instrument is bounded by the timeout. Whatever goes wrong throws a MeterFailure
/// of one line: "meter DESCRIPTION: " and what it did or answered.
class ScpiMeter final : public Meter {
  public:
    using TraceSink = std::function<void(const QString&)>;

    struct Settings {
        QString description;         ///< "scpi:tcp:192.0.2.10:5025"
        QString query;               ///< empty for READ?
        double timeoutSeconds = 10;  ///< for each wait
        TraceSink trace;             ///< each exchange ("meter: READ? -> '+4.0E+00'"); none when empty
    };

    ScpiMeter(std::unique_ptr<LineTransport> transport, Settings settings);

    /// Opens the transport and runs the connect sequence.
    void connect();

    double measure(std::uint8_t value) override;
    QString identity() const override { return identity_; }
    QString description() const override { return settings_.description; }

  private:
    /// Sends a query and returns its reply; a command without a reply when `expectReply` is false.
    QString exchange(const QString& command, bool expectReply);
    /// The first entry of the error queue and its reply as sent; throws when the reply is not one.
    std::pair<ScpiError, QString> nextError();
    /// What SYST:ERR? adds to a message about a bad reading: "; SYST:ERR? answered '...'", or nothing.
    QString errorQueueNote();
    [[noreturn]] void fail(const QString& what) const;
    [[noreturn]] void failLink(const LinkFailure& failure, const QString& command, bool sending) const;

    std::unique_ptr<LineTransport> transport_;
    Settings settings_;
    QString identity_;
};

}  // namespace vcm::meter
