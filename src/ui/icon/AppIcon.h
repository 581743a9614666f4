#pragma once

#include <QIcon>

#include <array>

namespace vcm::ui {

/// The sizes in pixels the mark is drawn for: those desktops ask for, each sharp on its own grid. The
/// build renders each (and twice each, for screens with a device pixel ratio of 2) for the installed icons.
inline constexpr std::array<int, 6> kAppIconSizes{16, 32, 48, 64, 128, 256};

/// The sizes a window's own icon is shown at (title bar, task switcher); 16 and 32 pixels at two device
/// pixels per pixel are the 32 and 64 pixel images. Larger views take the installed icons (Linux) or the
/// executable's (Windows).
inline constexpr std::array<int, 4> kWindowIconSizes{16, 32, 48, 64};

/// The window's icon: the mark as rendered at build time, at every size of kWindowIconSizes. A window
/// system decodes every size it is given when the window shows (X11 does), so only the sizes a window
/// shows are given: the images up to 512 pixels took a fifth of start-up. Needs a QGuiApplication.
QIcon applicationIcon();

}  // namespace vcm::ui
