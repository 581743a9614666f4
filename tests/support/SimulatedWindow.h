#pragma once

#include "PluggableAdapter.h"
#include "WindowFixture.h"
#include "adapter/trace/TraceLog.h"
#include "adapter/trace/TracingAdapter.h"

#include <QStringList>

#include <cstdint>

namespace vcm::test {

/// A simulated board that can be unplugged, with every adapter call (and the chip's notes) recorded in
/// trace form without the time stamp. A base of SimulatedWindow, so that it is built before the window.
struct TracedBoard {
    TracedBoard(std::uint8_t eeprom, bool plugged)
        : board(adapter::SimulatedChip(eeprom, [this](const QString& note) { log.note(note); })) {
        board.plugged = plugged;
    }

    QStringList calls;
    adapter::TraceLog log{
        [] { return 0.0; },
        [this](const QString& line) { calls << line.mid(line.indexOf(QLatin1Char(' ')) + 1); }};
    PluggableAdapter board;
    adapter::TracingAdapter tracing{board, log};
};

/// The real main window on a traced simulated board that can be unplugged.
class SimulatedWindow : public TracedBoard, public WindowFixture {
  public:
    explicit SimulatedWindow(std::uint8_t eeprom = 0x80, bool plugged = true,
                             const WindowOptions& options = {})
        : TracedBoard(eeprom, plugged), WindowFixture(tracing, options) {}

    /// Only the I2C traffic and the chip's notes, without connection calls.
    QStringList busCalls() const {
        QStringList bus;
        for (const QString& call : calls) {
            if (call.startsWith(QLatin1String("crvHID_doI2C")) || call.startsWith(QLatin1String("sim:"))) {
                bus << call;
            }
        }
        return bus;
    }
    void forget() {
        calls.clear();
        messages.shown.clear();
        pauses.pauses.clear();
    }
};

}  // namespace vcm::test
