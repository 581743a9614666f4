#pragma once

#include <QString>

namespace vcm::ui {

/// Answers of a message box, as the window system numbers them.
inline constexpr int kAnswerOk = 1;
inline constexpr int kAnswerYes = 6;
inline constexpr int kAnswerNo = 7;

/// Message-box style values (sums of the window system's flags).
inline constexpr int kStyleOkOnly = 0;
inline constexpr int kStyleYesNoQuestionDefaultNo = 292;

/// Shows a modal message box and waits for the answer. `style` is the sum of the window system's flags
/// (buttons in the low nibble, icon in the next, default button in the next); an empty `title` means the
/// application's title. Tests replace this to answer and record the boxes.
class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    virtual int show(const QString& text, int style, const QString& title) = 0;

  protected:
    MessageBoxService() = default;
    MessageBoxService(const MessageBoxService&) = default;
    MessageBoxService& operator=(const MessageBoxService&) = default;
};

}  // namespace vcm::ui
