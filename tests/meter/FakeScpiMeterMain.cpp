// fake_scpi_meter: the fake SCPI multimeter as a process of its own, for end-to-end runs of the tool.
// It listens on 127.0.0.1 (an ephemeral port), prints the port on stdout and answers READ? with the VCOM
// of the simulated board kept in --sim-state FILE. It ends when its stdin closes or it is terminated.
#include "FakeScpiProtocol.h"
#include "FakeScpiServer.h"
#include "adapter/sim/SimulatedBoardFile.h"
#include "adapter/sim/SimulatedVcom.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <unistd.h>
#include <cstdio>
#include <limits>
#include <map>

namespace {

// What the simulated multimeter of `sim-measure` would print, read back as a number, so that a trim
// through this meter and one through `--measure sim-measure` see the same volts.
double boardVcom(const QString& stateFile) {
    try {
        const std::optional<vcm::adapter::SimulatedBoardState> board =
            vcm::adapter::loadSimulatedBoard(stateFile);
        const vcm::adapter::SimulatedBoardState state = board.value_or(vcm::adapter::SimulatedBoardState{});
        const double vcom = vcm::adapter::simulatedVcom(state.chip.dataRegister, state.shape());
        return vcm::adapter::simulatedMeasurementText(vcom).toDouble();
    } catch (const vcm::adapter::BoardFileError& failure) {
        std::fprintf(stderr, "fake_scpi_meter: %s\n", failure.message.toUtf8().constData());
        // Answered as "NAN", which no meter takes for volts.
        return std::numeric_limits<double>::quiet_NaN();
    }
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption stateOption(
        QStringLiteral("sim-state"), QStringLiteral("The simulated board's file."), QStringLiteral("FILE"));
    const QCommandLineOption modeOption(
        QStringLiteral("mode"),
        QStringLiteral("normal, stops-answering, junk, refuses-config, reading-error, closes or floods."),
        QStringLiteral("MODE"), QStringLiteral("normal"));
    parser.addOptions({stateOption, modeOption});
    parser.process(app);

    const std::map<QString, vcm::test::FakeScpiMode> modes = {
        {QStringLiteral("normal"), vcm::test::FakeScpiMode::Normal},
        {QStringLiteral("stops-answering"), vcm::test::FakeScpiMode::StopsAnswering},
        {QStringLiteral("junk"), vcm::test::FakeScpiMode::AnswersJunk},
        {QStringLiteral("refuses-config"), vcm::test::FakeScpiMode::RefusesConfig},
        {QStringLiteral("reading-error"), vcm::test::FakeScpiMode::ReadingError},
        {QStringLiteral("closes"), vcm::test::FakeScpiMode::Closes},
        {QStringLiteral("floods"), vcm::test::FakeScpiMode::Floods},
    };
    const auto mode = modes.find(parser.value(modeOption));
    if (!parser.isSet(stateOption) || mode == modes.end()) {
        std::fputs("fake_scpi_meter: give --sim-state FILE and a known --mode\n", stderr);
        return 2;
    }
    const QString stateFile = parser.value(stateOption);
    vcm::test::FakeScpiProtocol protocol(mode->second, [stateFile] { return boardVcom(stateFile); });
    vcm::test::FakeScpiServer server(protocol, "\n");
    const quint16 port = server.listenTcp();
    if (port == 0) {
        std::fputs("fake_scpi_meter: cannot listen on 127.0.0.1\n", stderr);
        return 1;
    }
    std::printf("%u\n", static_cast<unsigned>(port));
    std::fflush(stdout);

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&input] {
        char chunk[256];
        if (::read(STDIN_FILENO, chunk, sizeof chunk) <= 0) {
            input.setEnabled(false);
            QCoreApplication::quit();
        }
    });
    return QCoreApplication::exec();
}
