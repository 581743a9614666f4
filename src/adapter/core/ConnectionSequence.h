#pragma once

#include "adapter/core/AdapterLibrary.h"

#include <cstdint>

namespace vcm::adapter {

// Opening the adapter, in two halves because the window's start-up does something of its own between
// them (it sets its slider-send flag); the connect button runs them back to back. Only the colouring of
// the connect button is left to the window.

/// Calls crvHID_connect, then sets `selectedModule` to 0, and returns the connect result (not 0: an
/// adapter is open).
std::int16_t beginConnection(AdapterLibrary& library, std::int16_t& selectedModule);

/// When `connectResult` is not 0: calls crvHID_indicateSelectedModule(selectedModule), then
/// crvHID_setGPIOConfiguration(0, 0, -1, selectedModule), ignoring both results. Makes no call when it is
/// 0. Returns whether an adapter was found. `selectedModule` is passed to the library by reference, as
/// every module argument is.
bool finishConnection(AdapterLibrary& library, std::int16_t connectResult, std::int16_t& selectedModule);

}  // namespace vcm::adapter
