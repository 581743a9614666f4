#include "adapter/selection/AdapterFactory.h"
#include "adapter/trace/TraceLog.h"
#include "app/AdapterUnavailable.h"
#include "app/CommandLine.h"
#include "app/FrmMain.h"
#include "ui/PauseService.h"
#include "ui/QtMessageBox.h"

#include <QApplication>
#include <QLocale>
#include <QStyleFactory>

#include <cstdio>

int main(int argc, char** argv) {
    // The trace's time stamps count from here, the start of the program.
    (void)vcm::adapter::TraceLog::elapsedClock();
    QCoreApplication::setApplicationName(QStringLiteral("vcm7310-bench"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VCM_VERSION));

    // Options are read before the window system starts: help, version and errors need no display, and a
    // bad option ends the program before any window opens.
    vcm::app::CommandLineOutcome outcome;
    {
        const QCoreApplication reader(argc, argv);
        outcome = vcm::app::parseCommandLine(vcm::app::withoutToolkitOptions(QCoreApplication::arguments()));
    }
    if (outcome.action != vcm::app::CommandLineOutcome::Action::Run) {
        std::FILE* stream = outcome.action == vcm::app::CommandLineOutcome::Action::Print ? stdout : stderr;
        std::fputs(outcome.text.toLocal8Bit().constData(), stream);
        std::fflush(stream);
        return outcome.exitCode;
    }

    QApplication app(argc, argv);
    // Ties the window to the installed desktop entry, whose icon the taskbar shows on Wayland.
    QGuiApplication::setDesktopFileName(QStringLiteral(VCM_APP_ID));
    // One style on every platform, so the laid-out sizes look the same everywhere.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    vcm::adapter::AdapterSetup adapter = vcm::adapter::createAdapter(outcome.options);
    vcm::ui::SleepingPause pauses;
    vcm::app::FrmMainSetup setup;
    setup.adapter = &adapter.library();
    setup.pauses = &pauses;
    setup.locale = QLocale();
    setup.simulatedBoard = adapter.library().isSimulatedBoard();
    vcm::app::FrmMain window(setup);
    // The library's first call was the load sequence's connect: a library that cannot be had ends the
    // program here, before the window is shown.
    vcm::ui::QtMessageBox messages(&window);
    if (const std::optional<int> exitCode = vcm::app::stopIfAdapterUnavailable(adapter, messages)) {
        return *exitCode;
    }
    window.show();
    return QApplication::exec();
}
