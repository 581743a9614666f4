#pragma once

#include "ServiceDoubles.h"
#include "adapter/core/AdapterLibrary.h"
#include "adapter/selection/AdapterFactory.h"
#include "app/FrmMain.h"

#include <QLineEdit>
#include <QLocale>
#include <QString>
#include <QTest>

#include <memory>

namespace vcm::test {

/// How the window under test is set up besides its adapter.
struct WindowOptions {
    /// The title then says the board is simulated, as the program's own start-up does for that board.
    bool simulatedBoard = true;
    QLocale locale{QLocale::English, QLocale::UnitedStates};
    /// The window shows real message boxes instead of the scripted ones.
    bool realBoxes = false;
};

/// The real main window on whatever adapter it is given, with its message boxes scripted and recorded
/// and its pauses recorded (never slept). The adapter must outlive the fixture. The window is built, not
/// shown: `show()` shows it.
class WindowFixture {
  public:
    explicit WindowFixture(adapter::AdapterLibrary& adapter, const WindowOptions& options = {});
    /// On an adapter the factory made: its title says "simulated" where the program's would.
    explicit WindowFixture(const adapter::AdapterSetup& adapter, const WindowOptions& options = {});

    /// Shows the window and waits until it is active (false if it never became so): focus changes need an
    /// active window.
    bool show();

    template <class T = QWidget>
    T* get(const QString& name) const {
        return qobject_cast<T*>(window->control(name));
    }
    QString text(const QString& name) const { return get<QLineEdit>(name)->text(); }

    /// A left click in the middle of the named control.
    void click(const QString& name) const;
    /// A key to whatever has the focus, routed as a real key press is.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = {}) const;
    /// Each character as a key to whatever has the focus.
    void type(const QString& chars) const;
    /// Replaces the value box's text by typing, as a user does after selecting it.
    void typeValue(const QString& chars) const;

    ScriptedMessages messages;
    RecordingPauses pauses;
    std::unique_ptr<app::FrmMain> window;
};

}  // namespace vcm::test
