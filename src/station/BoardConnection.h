#pragma once

#include "adapter/selection/AdapterFactory.h"
#include "adapter/selection/AdapterOptions.h"
#include "adapter/sim/SimOptions.h"
#include "adapter/sim/SimulatedVcom.h"
#include "station/BoardSession.h"

#include <memory>

namespace vcm::adapter {
class SimulatedBoard;
}  // namespace vcm::adapter

namespace vcm::station {

/// The board a command talks to: the adapter its options ask for (the simulated board taken from its
/// --sim-state file and saved to it right after every write that changed the chip), traced with --trace,
/// connected.
class BoardConnection {
  public:
    /// Builds and connects the adapter; throws a BoardFailure when the board file cannot be read or no
    /// adapter is found.
    BoardConnection(const adapter::AdapterOptions& options, const adapter::SimOptions& sim);
    ~BoardConnection();
    BoardConnection(const BoardConnection&) = delete;
    BoardConnection& operator=(const BoardConnection&) = delete;

    BoardSession& session() { return *session_; }

  private:
    void save() const;
    /// Throws when the adapter library could not be had at all (the bridge, the library or one of its
    /// functions missing), with the library's own explanation.
    void throwIfUnavailable() const;

    QString stateFile_;
    QString connectProblem_;  ///< why the adapter could not be opened, as the back-end says it
    adapter::SimulatedVcomShape shape_;
    adapter::SimulatedBoard* simulated_ = nullptr;  ///< owned by setup_ when the board is simulated
    adapter::AdapterSetup setup_;
    std::unique_ptr<BoardSession> session_;
};

}  // namespace vcm::station
