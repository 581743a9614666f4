#pragma once

#include "dcp/DcpControls.h"
#include "dcp/ProgramGlobals.h"

namespace vcm::dcp {

/// Switches the DCP texts between hexadecimal and decimal when the user selects "HEX" or "DEC". The value
/// itself does not change, so the slider stays and nothing is sent.
class DisplayModeSwitch {
  public:
    DisplayModeSwitch(const DcpControls& controls, ProgramGlobals& globals);

    /// Run when the option that was not selected becomes selected; index 0 "HEX", 1 "DEC" (not used).
    void opDisplayMode_Click(int index);

  private:
    DcpControls controls_;
    ProgramGlobals& globals_;
};

}  // namespace vcm::dcp
