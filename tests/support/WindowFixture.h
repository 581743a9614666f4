#pragma once

#include "Recorders.h"
#include "adapter/trace/TraceLog.h"
#include "adapter/trace/TracingAdapter.h"
#include "app/FrmMain.h"

#include <QLineEdit>
#include <QStringList>
#include <QTest>

#include <memory>

namespace vcm::test {

/// The real main window on a simulated board that can be unplugged, with every adapter call (and the
/// chip's notes) recorded in trace form without the time stamp, message boxes answered and recorded,
/// and pauses recorded.
class WindowFixture {
  public:
    /// With `realBoxes` the window shows real message boxes instead of recording them.
    explicit WindowFixture(std::uint8_t eeprom = 0x80, bool plugged = true,
                           QLocale locale = QLocale(QLocale::English, QLocale::UnitedStates),
                           bool realBoxes = false)
        : board(SimulatedChip(eeprom, [this](const QString& note) { log.note(note); })) {
        board.plugged = plugged;
        FrmMainSetup setup;
        setup.adapter = &tracing;
        setup.messages = realBoxes ? nullptr : &messages;
        setup.pauses = &pauses;
        setup.locale = std::move(locale);
        setup.simulatedBoard = true;
        window = std::make_unique<FrmMain>(setup);
    }

    /// Shows the window and waits until it is active: focus changes need an active window.
    void show() {
        window->show();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
    }

    template <class T = QWidget>
    T* get(const QString& name) const {
        return qobject_cast<T*>(window->control(name));
    }
    QString text(const QString& name) const { return get<QLineEdit>(name)->text(); }

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

    QStringList calls;
    TraceLog log{[] { return 0.0; },
                 [this](const QString& line) { calls << line.mid(line.indexOf(QLatin1Char(' ')) + 1); }};
    PluggableAdapter board;
    TracingAdapter tracing{board, log};
    RecordingMessages messages;
    RecordingPauses pauses;
    std::unique_ptr<FrmMain> window;
};

}  // namespace vcm::test
