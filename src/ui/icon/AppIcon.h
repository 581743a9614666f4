#pragma once

#include <QIcon>

#include <array>

namespace vcm::ui {

/// The sizes in pixels the mark is drawn for: those desktops ask for, each sharp on its own grid.
inline constexpr std::array<int, 6> kAppIconSizes{16, 32, 48, 64, 128, 256};

/// Every size the build renders: kAppIconSizes and twice each of them, for screens with a device pixel
/// ratio of 2.
inline constexpr std::array<int, 8> kRenderedIconSizes{16, 32, 48, 64, 96, 128, 256, 512};

/// The window's icon: the mark as rendered at build time, at every size of kRenderedIconSizes. The images
/// are decoded only when a size is first asked for, so start-up pays for none of them. Needs a
/// QGuiApplication.
QIcon applicationIcon();

}  // namespace vcm::ui
