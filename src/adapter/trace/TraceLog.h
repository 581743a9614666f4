#pragma once

#include <QString>

#include <functional>
#include <vector>

namespace vcm::adapter {

/// The trace of adapter traffic: one line per library call and one per note of the simulated chip, each
/// handed to the sink as soon as it is complete, so a crash loses nothing already traced.
///
/// A call line shows the arrays as they stand after the call, so it can only be written when the call
/// returns; notes that arise during the call (the chip saying what it stored) are held back until then
/// and follow their call line, so the trace reads cause first, effect second.
class TraceLog {
  public:
    /// Milliseconds since the program started.
    using Clock = std::function<double()>;
    /// Receives one finished line, without a line break.
    using Sink = std::function<void(const QString&)>;

    TraceLog(Clock clock, Sink sink);

    /// Marks the start of a library call and returns its time, which its line will show.
    double beginCall();
    /// Writes the call's line, stamped with the time beginCall returned, then the notes held back.
    void endCall(double startMilliseconds, const QString& callText);
    /// Writes a note at once, or holds it until the running call's line is out.
    void note(const QString& text);

    /// Milliseconds since this function was first called (the program calls it at start-up).
    static Clock elapsedClock();
    /// Writes each line to stderr with a line break and flushes it.
    static Sink stderrSink();

  private:
    Clock clock_;
    Sink sink_;
    int openCalls_ = 0;
    std::vector<QString> heldNotes_;
};

}  // namespace vcm::adapter
