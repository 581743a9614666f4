#include "adapter/TraceLog.h"
#include "app/AdapterFactory.h"
#include "app/CommandLine.h"
#include "app/FrmMain.h"
#include "ui/PauseService.h"

#include <QApplication>
#include <QLocale>
#include <QStyleFactory>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vcm7310-bench"));
    QApplication::setApplicationVersion(QStringLiteral(VCM_VERSION));
    // One style on every platform, so the laid-out sizes look the same everywhere.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    const vcm::CommandLineOutcome outcome = vcm::parseCommandLine(QApplication::arguments());
    if (outcome.action != vcm::CommandLineOutcome::Action::Run) {
        std::FILE* stream = outcome.action == vcm::CommandLineOutcome::Action::Print ? stdout : stderr;
        std::fputs(outcome.text.toLocal8Bit().constData(), stream);
        std::fflush(stream);
        return outcome.exitCode;
    }

    vcm::AdapterSetup adapter = vcm::createAdapter(outcome.options);
    vcm::SleepingPause pauses;
    vcm::FrmMainSetup setup;
    setup.adapter = &adapter.library();
    setup.pauses = &pauses;
    setup.locale = QLocale();
    setup.simulatedBoard = adapter.simulated;
    vcm::FrmMain window(setup);
    window.show();
    return QApplication::exec();
}
