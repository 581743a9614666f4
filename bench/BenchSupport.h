#pragma once

#include "adapter/sim/SimulatedAdapter.h"
#include "app/FrmMain.h"
#include "ui/MessageBoxService.h"
#include "ui/PauseService.h"

#include <memory>

namespace vcm::bench {

/// Answers every message box at once (OK, or No to a question).
class QuietMessages final : public MessageBoxService {
  public:
    int show(const QString&, int style, const QString&) override {
        return (style & 0x0F) == 4 ? answerNo : answerOk;
    }
};

/// Counts pauses instead of sleeping: the figures are the program's own work.
class SkippedPauses final : public PauseService {
  public:
    void pause(int) override {}
};

/// The real main window on the simulated board, not shown.
struct BenchWindow {
    SimulatedAdapter board{SimulatedChip(0x80)};
    QuietMessages messages;
    SkippedPauses pauses;
    std::unique_ptr<FrmMain> window;

    BenchWindow() {
        FrmMainSetup setup;
        setup.adapter = &board;
        setup.messages = &messages;
        setup.pauses = &pauses;
        setup.locale = QLocale(QLocale::English, QLocale::UnitedStates);
        setup.simulatedBoard = true;
        window = std::make_unique<FrmMain>(setup);
    }
};

}  // namespace vcm::bench
