#pragma once

#include "adapter/bridge/BridgeCommand.h"
#include "adapter/core/AdapterLibrary.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QProcess;

namespace bridge {
struct CallArguments;
enum class Function;
}  // namespace bridge

namespace vcm::adapter {

/// How long the program waits for the adapter bridge.
struct BridgeTimeouts {
    /// To start the bridge and load the library: Wine's first start in a new prefix takes most of a minute.
    int startMilliseconds = 90000;
    int callMilliseconds = 5000;  ///< for the answer to one call
};

/// The board maker's adapter library, reached through the adapter bridge: each call goes to the bridge
/// as one request and comes back as one answer carrying the result and every by-reference argument as
/// the library left it, which are written back into the caller's arguments.
///
/// The bridge is started at the first call. If it, the library or one of the five functions cannot be
/// had then, the call fails and `unavailable()` says why in words for the user: the program cannot go
/// on. Later, a bridge that ends or does not answer within the call time makes that call fail as a
/// failed call does (connect 0, every other call 1, arguments untouched) and says why in a note; every
/// call after it fails the same way until crvHID_connect starts a new bridge.
class BridgeAdapter final : public AdapterLibrary {
  public:
    /// Receives lines for the trace: the bridge's own account of failures ("bridge: ...") and whatever
    /// the library writes to its standard error.
    using NoteSink = std::function<void(const QString&)>;

    explicit BridgeAdapter(BridgeCommand command, NoteSink notes = {},
                           BridgeTimeouts timeouts = BridgeTimeouts());
    ~BridgeAdapter() override;
    BridgeAdapter(const BridgeAdapter&) = delete;
    BridgeAdapter& operator=(const BridgeAdapter&) = delete;

    std::int16_t crvHID_connect() override;
    std::int16_t crvHID_indicateSelectedModule(std::int16_t& module) override;
    std::int16_t crvHID_setGPIOConfiguration(std::uint8_t& first, std::uint8_t& second, std::int32_t& mask,
                                             std::int16_t& module) override;
    std::int16_t crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                  std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                  std::int16_t& module, std::int32_t& status) override;
    std::int16_t crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                   std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                   std::int16_t& module, std::int32_t& status) override;

    /// Set when the first call could not reach the library: what is missing and what to do about it.
    std::optional<QString> unavailable() const override { return unavailable_; }

  private:
    /// Sends one call; returns the result and the arguments as the library left them, or nothing when
    /// the call failed (then a note says why).
    std::optional<std::int16_t> call(bridge::Function function, bridge::CallArguments& arguments);
    /// Starts the bridge and greets it; on failure returns the reason in words for the user.
    std::optional<QString> start();
    /// The next answer line, or nothing when none came within the time or the bridge ended.
    std::optional<std::string> readAnswer(int milliseconds);
    enum class Stop {
        LetFinish,  ///< close its input and let it end, killing it only if it has not within a time
        Kill,       ///< kill it at once: it is stuck in the library and cannot read its input
    };
    void stop(Stop how = Stop::LetFinish);
    void passOnErrorOutput();
    void note(const QString& text) const;

    BridgeCommand command_;
    NoteSink notes_;
    BridgeTimeouts timeouts_;
    std::unique_ptr<QProcess> process_;
    QByteArray errorOutput_;
    QStringList recentErrorOutput_;  ///< the last lines of it, for a message when the bridge fails to start
    bool called_ = false;
    std::optional<QString> unavailable_;
};

}  // namespace vcm::adapter
