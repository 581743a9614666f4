#pragma once

#include <QString>

#include <cstdint>

namespace vcm::meter {

/// SIGINT and SIGTERM (on Windows: Ctrl+C, Ctrl+Break and the console closing) while the tool works on a
/// board. While a StopSignal lives, the first one does not end the tool: it is kept (pending()), ends a
/// running measure command's whole process tree at once, and lets the tool finish what keeps its record
/// whole before it ends as the signal says (endBy). A second one ends the tool at once. A reader of the
/// tool's output that goes away (SIGPIPE) does not stop it at all.
class StopSignal {
  public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    /// The signal that asked the tool to stop, or 0.
    static int pending();
    /// The signal's name as messages give it ("SIGINT").
    static QString name(int signal);
    /// Ends the tool as the signal would have, so that its exit status says so.
    [[noreturn]] static void endBy(int signal);

    /// The process tree of the measure command running now (POSIX: its process group; Windows: its job
    /// object), which a stop ends at once; 0 when none runs.
    static void setRunningTree(std::intptr_t tree);
};

}  // namespace vcm::meter
