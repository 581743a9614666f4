#pragma once

#include "calculator/ForwardCalculation.h"

#include <QLocale>
#include <QString>

namespace vcm::calc {

// What the calculator's fields show: the texts a field gets when it holds no number, and the fixed
// formats of the results. The window and the command-line tool both write through these, so a value
// reads the same in either.

inline constexpr char16_t kAvddDefaultText[] = u"8";
inline constexpr char16_t kRsetDefaultText[] = u"10000";
inline constexpr char16_t kR1DefaultText[] = u"83000";
inline constexpr char16_t kR2DefaultText[] = u"133000";
inline constexpr char16_t kVoutMinDefaultText[] = u"0";

/// The divider the default texts describe, at the DCP value `d`: what the window calculates with once it
/// has started, and what the command-line tool takes for every option left out.
ForwardInputs defaultDivider(std::uint8_t d);

/// IOUT in milliamperes, "0.00000".
QString ioutText(double milliamps, const QLocale& locale);
/// VRSET, VCOM, VOUTmax and VOUTmin, "0.0000".
QString voltageText(double volts, const QLocale& locale);
/// R1 and R2 from the reverse calculation, "0.0".
QString resistorText(double ohms, const QLocale& locale);

/// A resistor the reverse calculation gives is shown as out of range (red) unless it is above 0.
inline bool resistorOutOfRange(double ohms) {
    return !(ohms > 0.0);
}
/// AVDD above 18 V is shown as out of range (red); 18 itself is not.
inline bool avddOutOfRange(double volts) {
    return volts > 18.0;
}

}  // namespace vcm::calc
