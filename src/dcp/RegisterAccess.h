#pragma once

#include "adapter/core/AdapterLibrary.h"
#include "dcp/DcpControls.h"
#include "dcp/DcpTransactions.h"
#include "dcp/ProgramGlobals.h"
#include "ui/MessageBoxService.h"
#include "ui/PauseService.h"

#include <QLocale>

#include <cstdint>
#include <functional>
#include <optional>

namespace vcm::dcp {

/// All traffic with the chip's DCP: reading the data register into the value box, sending the box's value
/// to the data register, programming the EEPROM, and the flashing of the EEPROM button that shows a send
/// has happened since the last EEPROM write or read.
class RegisterAccess {
  public:
    RegisterAccess(const DcpControls& controls, ProgramGlobals& globals, adapter::AdapterLibrary& library,
                   ui::MessageBoxService& messages, ui::PauseService& pauses,
                   std::function<void()> updateRangeFromResistors, QLocale locale);

    void cmdRead_Click();
    void writeDataRegister();
    void cmdWrite_Click();
    void Timer1_Timer();

    static constexpr std::uint32_t flashBright = 0xC0FFFF;  ///< light yellow
    static constexpr int eepromPauseMs = kEepromWritePauseMs;

  private:
    /// The DCP byte in the box, the one the slider shows, or nullopt after telling the user that the box
    /// holds no valid value.
    std::optional<std::uint8_t> boxValueOrComplain();
    void setIndication(bool flashing);

    DcpControls controls_;
    ProgramGlobals& globals_;
    adapter::AdapterLibrary& library_;
    ui::MessageBoxService& messages_;
    ui::PauseService& pauses_;
    std::function<void()> updateRangeFromResistors_;
    QLocale locale_;
};

}  // namespace vcm::dcp
