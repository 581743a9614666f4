#pragma once

#include "QtPrinters.h"
#include "ui/MessageBoxService.h"
#include "ui/PauseService.h"

#include <QString>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

namespace vcm::test {

struct ShownBox {
    QString text;
    int style;
    QString title;
};

/// Records every message box and answers it from a script: first the queue `answers` (whatever the box),
/// then, for a question, the next bit of `answerQuestions` when one was given, else OK (No for a
/// question). `onShow` runs while the "box" is open, so a test can look at the window at that moment.
class ScriptedMessages final : public ui::MessageBoxService {
  public:
    int show(const QString& text, int style, const QString& title) override;

    /// Questions are answered Yes (bit set) or No by the bits of `bits`, lowest first; the pattern comes
    /// round again after 32 questions.
    void answerQuestions(std::uint32_t bits) { questionBits_ = bits; }

    std::vector<ShownBox> shown;
    std::deque<int> answers;
    std::function<void(const ShownBox&)> onShow;

  private:
    std::optional<std::uint32_t> questionBits_;
};

/// Records pauses instead of sleeping.
class RecordingPauses final : public ui::PauseService {
  public:
    void pause(int milliseconds) override { pauses.push_back(milliseconds); }
    std::vector<int> pauses;
};

}  // namespace vcm::test
