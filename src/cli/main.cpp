#include "adapter/trace/TraceLog.h"
#include "cli/commands/CommandFailure.h"
#include "cli/commands/Commands.h"
#include "cli/options/CommandLine.h"
#include "meter/core/StopSignal.h"
#include "meter/scpi/ScpiMeterFactory.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

namespace {

void writeLine(std::FILE* stream, const QString& line) {
    std::fputs((line + u'\n').toUtf8().constData(), stream);
    std::fflush(stream);
}

}  // namespace

int main(int argc, char** argv) {
    // The trace's time stamps count from here, the start of the program.
    (void)vcm::adapter::TraceLog::elapsedClock();
    const QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vcm7310"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VCM_VERSION));

    const vcm::cli::ParsedCommandLine parsed =
        vcm::cli::parseCommandLine(QCoreApplication::arguments(), QStringLiteral(VCM_VERSION));
    switch (parsed.action) {
        case vcm::cli::ParsedCommandLine::Action::Print:
            std::fputs(parsed.text.toUtf8().constData(), stdout);
            return vcm::cli::kExitPass;
        case vcm::cli::ParsedCommandLine::Action::Fail:
            std::fputs(parsed.text.toUtf8().constData(), stderr);
            if (!parsed.jsonText.isEmpty()) {
                writeLine(stdout, parsed.jsonText);
            }
            return vcm::cli::kExitUsage;
        case vcm::cli::ParsedCommandLine::Action::Run:
            break;
    }
    // A --measure command finds the tool itself here, installed or not, on the PATH or not.
    qputenv("VCM7310", QFile::encodeName(QCoreApplication::applicationFilePath()));
    const int code = vcm::cli::runInvocation(
        parsed.invocation, [](const QString& line) { writeLine(stdout, line); },
        [](const QString& line) { writeLine(stderr, line); }, vcm::meter::makeScpiMeter);
    // A run stopped by a signal has logged its board and said why; now it ends as the signal says.
    if (const int signal = vcm::meter::StopSignal::pending(); signal != 0) {
        vcm::meter::StopSignal::endBy(signal);
    }
    return code;
}
