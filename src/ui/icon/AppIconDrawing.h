#pragma once

#include <QImage>

namespace vcm::ui {

/// The program's mark (AppIcon.svg, compiled in) drawn as a square image of `pixels` by `pixels` on a
/// transparent background. The build renders the window's icon, the installed PNG icons and the Windows
/// .ico with it, so the window, the desktop menu and the taskbar show one mark.
QImage renderAppIcon(int pixels);

}  // namespace vcm::ui
