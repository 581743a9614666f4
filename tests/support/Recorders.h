#pragma once

#include "QtPrinters.h"
#include "adapter/core/AbsentAdapter.h"
#include "adapter/sim/SimulatedAdapter.h"
#include "ui/MessageBoxService.h"
#include "ui/PauseService.h"

#include <QString>

#include <deque>
#include <functional>
#include <ostream>
#include <vector>

namespace vcm::test {

struct ShownBox {
    QString text;
    int style;
    QString title;
};

/// Records every message box and answers from a queue (OK, or No for a question, when the queue is empty).
/// `onShow` runs while the "box" is open, so a test can look at the window at that moment.
class RecordingMessages final : public MessageBoxService {
  public:
    int show(const QString& text, int style, const QString& title) override {
        shown.push_back({text, style, title});
        if (onShow)
            onShow(shown.back());
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return (style & 0x0F) == 4 ? answerNo : answerOk;
    }
    std::vector<ShownBox> shown;
    std::deque<int> answers;
    std::function<void(const ShownBox&)> onShow;
};

/// Records pauses instead of sleeping.
class RecordingPauses final : public PauseService {
  public:
    void pause(int milliseconds) override { pauses.push_back(milliseconds); }
    std::vector<int> pauses;
};

/// A board that can be plugged in and out between calls: the simulated board, or no adapter at all.
class PluggableAdapter final : public AdapterLibrary {
  public:
    explicit PluggableAdapter(SimulatedChip chip) : board_(std::move(chip)) {}
    bool plugged = true;

    std::int16_t crvHID_connect() override { return lib().crvHID_connect(); }
    std::int16_t crvHID_indicateSelectedModule(std::int16_t& module) override {
        return lib().crvHID_indicateSelectedModule(module);
    }
    std::int16_t crvHID_setGPIOConfiguration(std::uint8_t& a, std::uint8_t& b, std::int32_t& mask,
                                             std::int16_t& module) override {
        return lib().crvHID_setGPIOConfiguration(a, b, mask, module);
    }
    std::int16_t crvHID_doI2CRead(std::uint8_t& d, std::uint8_t& r, std::uint8_t& c, ByteArray& data,
                                  ByteArray& spare, std::int16_t& module, std::int32_t& status) override {
        return lib().crvHID_doI2CRead(d, r, c, data, spare, module, status);
    }
    std::int16_t crvHID_doI2CWrite(std::uint8_t& d, std::uint8_t& r, std::uint8_t& c, ByteArray& data,
                                   ByteArray& spare, std::int16_t& module, std::int32_t& status) override {
        return lib().crvHID_doI2CWrite(d, r, c, data, spare, module, status);
    }
    const SimulatedChip& chip() const { return board_.chip(); }

  private:
    AdapterLibrary& lib() { return plugged ? static_cast<AdapterLibrary&>(board_) : absent_; }
    SimulatedAdapter board_;
    AbsentAdapter absent_;
};

}  // namespace vcm::test
