#include "adapter/trace/TraceLog.h"

#include "adapter/trace/TraceFormat.h"

#include <chrono>
#include <cstdio>
#include <utility>

namespace vcm::adapter {

TraceLog::TraceLog(Clock clock, Sink sink) : clock_(std::move(clock)), sink_(std::move(sink)) {}

double TraceLog::beginCall() {
    ++openCalls_;
    return clock_();
}

void TraceLog::endCall(double startMilliseconds, const QString& callText) {
    sink_(traceLine(startMilliseconds, callText));
    if (openCalls_ > 0) {
        --openCalls_;
    }
    if (openCalls_ == 0) {
        // Move out first: a sink that reports back into the log must not see a half-emptied list.
        std::vector<QString> notes = std::exchange(heldNotes_, {});
        for (const QString& line : notes) {
            sink_(line);
        }
    }
}

void TraceLog::note(const QString& text) {
    // Stamped now, when the chip decided, even though it may be written a little later.
    QString line = traceLine(clock_(), text);
    if (openCalls_ > 0) {
        heldNotes_.push_back(std::move(line));
    } else {
        sink_(line);
    }
}

TraceLog::Clock TraceLog::elapsedClock() {
    static const auto start = std::chrono::steady_clock::now();
    return [] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    };
}

TraceLog::Sink TraceLog::stderrSink() {
    return [](const QString& line) {
        const QByteArray bytes = (line + u'\n').toUtf8();
        std::fputs(bytes.constData(), stderr);
        std::fflush(stderr);
    };
}

}  // namespace vcm::adapter
