#pragma once

#include "dcp/DcpControls.h"
#include "dcp/ProgramGlobals.h"
#include "dcp/RegisterAccess.h"
#include "ui/PauseService.h"

#include <QLocale>

#include <cstdint>
#include <functional>

namespace vcm::dcp {

/// Entry of the DCP value: typing in the box (sent with Enter), the arrow and page keys and the mouse
/// wheel (sent at once), and the slider (sent while the box has had no key since it last lost the focus).
/// The box and the slider always show the same value; the box's text is the value.
class ValueEntry {
  public:
    ValueEntry(const DcpControls& controls, ProgramGlobals& globals, RegisterAccess& registers,
               ui::PauseService& pauses, std::function<void()> updateRangeFromResistors, QLocale locale);

    void initValueBox();
    void txtTest_KeyDown(int index, int keyCode, int shift);
    void txtTest_KeyPress(int index, std::uint16_t& keyAscii);
    void txtTest_Change(int index);
    void txtTest_LostFocus(int index);
    void vscTest_Change(int index);
    void stepDcpValue(int index, int keyCode);
    void MouseWheelRolled(std::int32_t rotation);

    static constexpr int stepPauseMs = 50;
    static constexpr int keyEnter = 13;
    static constexpr int keyPageUp = 33;
    static constexpr int keyPageDown = 34;
    static constexpr int keyUp = 38;
    static constexpr int keyDown = 40;

  private:
    bool hex() const { return globals_.displayHex == kVbTrue; }

    DcpControls controls_;
    ProgramGlobals& globals_;
    RegisterAccess& registers_;
    ui::PauseService& pauses_;
    std::function<void()> updateRangeFromResistors_;
    QLocale locale_;
};

}  // namespace vcm::dcp
