#pragma once

#include "adapter/core/AdapterLibrary.h"
#include "calculator/CalculatorControls.h"
#include "dcp/DcpControls.h"
#include "dcp/ProgramGlobals.h"
#include "ui/MessageBoxService.h"
#include "ui/PauseService.h"

#include <QHash>
#include <QLocale>
#include <QMainWindow>

#include <cstdint>
#include <memory>

class QAction;

namespace vcm::calc {
class CalculatorPanel;
}  // namespace vcm::calc

namespace vcm::dcp {
class DisplayModeSwitch;
class RegisterAccess;
class ValueEntry;
}  // namespace vcm::dcp

namespace vcm::ui {
class CaptionButton;
class FocusLeaveWatcher;
class KeyEventBridge;
class WheelCapture;
}  // namespace vcm::ui

namespace vcm::app {

/// What the main window is given from outside: the adapter library, how message boxes are shown (null:
/// real message boxes over this window), how the thread pauses, the user's locale, and whether the board
/// behind the library is simulated (then the title says so).
struct FrmMainSetup {
    adapter::AdapterLibrary* adapter = nullptr;
    ui::MessageBoxService* messages = nullptr;
    ui::PauseService* pauses = nullptr;
    QLocale locale;
    bool simulatedBoard = false;
};

/// The program's one window. Its controls carry their given names as object names; their behaviour lives
/// in the DCP and calculator classes it wires up. Construction runs the load sequence.
class FrmMain : public QMainWindow {
    Q_OBJECT
  public:
    static constexpr const char* caption = "VCM7310 Evaluation Board Software";
    static constexpr const char* simulatedSuffix = " [simulated board]";

    explicit FrmMain(const FrmMainSetup& setup, QWidget* parent = nullptr);
    ~FrmMain() override;

    /// True (-1) for an empty text or one that is not a number as the user's locale writes numbers.
    dcp::VbBoolean numberIsNotValid(const QString& text) const;
    /// One wheel step: positive rotation as the Down key, negative as the Up key, zero nothing.
    void MouseWheelRolled(std::int32_t rotation);

    const dcp::ProgramGlobals& globals() const { return globals_; }
    /// A control by its given name, for example "txtTest(0)" or "cmdWrite".
    QWidget* control(const QString& name) const { return controls_.value(name); }
    bool wheelCaptureInstalled() const;

    void cmdConnect_Click();
    void btnHelp_Click();
    void mnuExit_Click();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildWindow();
    void wireEvents();
    void Form_Load();
    void Form_Unload();
    void colourConnectButton(bool found);
    template <class T>
    T* find(const char* name) const;

    adapter::AdapterLibrary& adapter_;
    std::unique_ptr<ui::MessageBoxService> ownMessages_;
    ui::MessageBoxService& messages_;
    ui::PauseService& pauses_;
    QLocale locale_;
    dcp::ProgramGlobals globals_;

    QHash<QString, QWidget*> controls_;
    dcp::DcpControls dcp_;
    calc::CalculatorControls calc_;
    ui::CaptionButton* cmdConnect_ = nullptr;
    QAction* mnuExit_ = nullptr;

    std::unique_ptr<dcp::RegisterAccess> registers_;
    std::unique_ptr<dcp::ValueEntry> valueEntry_;
    std::unique_ptr<dcp::DisplayModeSwitch> displayMode_;
    std::unique_ptr<calc::CalculatorPanel> calculator_;
    ui::FocusLeaveWatcher* focusWatcher_ = nullptr;
    ui::WheelCapture* wheelCapture_ = nullptr;
    bool unloaded_ = false;
};

}  // namespace vcm::app
