#pragma once

namespace vcm::adapter {

/// A fault the simulated board can be told to have, so that failing chips can be tried without one.
enum class SimFault {
    None,
    ReadFails,   ///< `read-fails`: every read of the data register fails
    WritesLost,  ///< `writes-lost`: writes are acknowledged but never reach the chip
    /// `eeprom-fails`: an EEPROM write fails (the adapter answers so) and never reaches the chip, as when
    /// the board loses contact just before it is programmed
    EepromFails,
};

}  // namespace vcm::adapter
