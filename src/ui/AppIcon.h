#pragma once

#include <QIcon>
#include <QImage>

#include <array>

namespace vcm::ui {

/// The sizes in pixels the mark is drawn for: those desktops ask for, each sharp on its own grid.
inline constexpr std::array<int, 6> kAppIconSizes{16, 32, 48, 64, 128, 256};

/// The program's mark (AppIcon.svg, compiled into the program) drawn as a square image of `pixels` by
/// `pixels` on a transparent background. The same drawing gives the window's icon and the installed PNG
/// icons, so the window, the desktop menu and the taskbar show one mark.
QImage renderAppIcon(int pixels);

/// The window's icon: the mark at every size of kAppIconSizes, and at twice each size for screens with
/// a device pixel ratio of 2. Needs a QGuiApplication.
QIcon applicationIcon();

}  // namespace vcm::ui
