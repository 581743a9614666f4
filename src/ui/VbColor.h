#pragma once

#include <QColor>
#include <QPalette>

#include <cstdint>

namespace vcm::ui {

/// A window-system colour value: &H00BBGGRR for a fixed colour, &H800000nn for one of the system's colours.
using VbColor = std::uint32_t;

inline constexpr VbColor kVbButtonFace = 0x8000000F;
inline constexpr VbColor kVbButtonText = 0x80000012;
inline constexpr VbColor kVbWindowBackground = 0x80000005;
inline constexpr VbColor kVbWindowText = 0x80000008;

/// Resolves a colour value to a QColor; system colours come from the palette (button face -> Button,
/// button text -> ButtonText, window background -> Base, window text -> Text).
QColor toQColor(VbColor value, const QPalette& palette);

}  // namespace vcm::ui
