// The program's own work per user action, on the real window and the simulated board, with the pauses
// skipped: figures only, never a pass or fail on speed.
#include "BenchSupport.h"
#include "calculator/ForwardCalculation.h"
#include "calculator/ReverseCalculation.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <benchmark/benchmark.h>

namespace vcm::bench {
namespace {

void pressKey(QWidget* box, Qt::Key key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(box, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(box, &release);
}

/// An arrow key that steps the value and sends it (Up and Down in turn, so every key changes the value).
void StepKeyThatSends(benchmark::State& state) {
    BenchWindow w;
    QWidget* box = w.window->control(QStringLiteral("txtTest(0)"));
    bool up = true;
    for (auto _ : state) {
        pressKey(box, up ? Qt::Key_Up : Qt::Key_Down);
        up = !up;
    }
}
BENCHMARK(StepKeyThatSends);

/// Enter in the value box: one send of the value it shows.
void EnterSends(benchmark::State& state) {
    BenchWindow w;
    QWidget* box = w.window->control(QStringLiteral("txtTest(0)"));
    for (auto _ : state) {
        pressKey(box, Qt::Key_Return);
    }
}
BENCHMARK(EnterSends);

/// One click of the named button per iteration.
void clickEachTime(benchmark::State& state, const char* button) {
    BenchWindow w;
    auto* clicked = w.get<QAbstractButton>(QString::fromLatin1(button));
    for (auto _ : state) {
        clicked->click();
    }
}

/// "Read": one read of the data register into the box.
void ReadClick(benchmark::State& state) {
    clickEachTime(state, "cmdRead");
}
BENCHMARK(ReadClick);

/// "Calculate": the forward calculation from the fields into the fields.
void ForwardCalculationInWindow(benchmark::State& state) {
    clickEachTime(state, "cmdCalculate");
}
BENCHMARK(ForwardCalculationInWindow);

/// The reverse calculation as leaving VOUTmax or VOUTmin runs it: the focus moves between the two, and
/// each move leaves one of them.
void ReverseCalculationInWindow(benchmark::State& state) {
    BenchWindow w;
    QWidget* fields[] = {w.window->control(QStringLiteral("txtVoutMax")),
                         w.window->control(QStringLiteral("txtVOutMin"))};
    (void)w.show();
    fields[0]->setFocus();
    int next = 1;
    for (auto _ : state) {
        fields[next]->setFocus();
        next = 1 - next;
    }
}
BENCHMARK(ReverseCalculationInWindow);

void ForwardFormulas(benchmark::State& state) {
    const calc::ForwardInputs inputs{8.0, 10000.0, 83000.0, 133000.0, 0x80};
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::computeForward(inputs));
    }
}
BENCHMARK(ForwardFormulas);

void ReverseFormulas(benchmark::State& state) {
    const calc::ReverseInputs inputs{8.0, 10000.0, 4.9, 1.7, 0x80};
    for (auto _ : state) {
        benchmark::DoNotOptimize(calc::computeReverse(inputs));
    }
}
BENCHMARK(ReverseFormulas);

}  // namespace
}  // namespace vcm::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
