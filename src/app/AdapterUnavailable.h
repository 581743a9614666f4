#pragma once

#include "adapter/selection/AdapterFactory.h"
#include "ui/MessageBoxService.h"

#include <optional>

namespace vcm::app {

/// Style of the box that says the adapter library cannot be had: OK button, critical icon.
inline constexpr int kStyleOkCritical = 16;

/// After the window's load sequence (whose crvHID_connect is the library's first call): when the library
/// could not be had, shows why in a message box and returns the exit code to end the program with;
/// otherwise returns nothing and the program goes on.
std::optional<int> stopIfAdapterUnavailable(const adapter::AdapterSetup& adapter,
                                            ui::MessageBoxService& messages);

}  // namespace vcm::app
