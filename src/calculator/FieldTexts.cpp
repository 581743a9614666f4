#include "calculator/FieldTexts.h"

#include "dcp/NumberFormat.h"

namespace vcm {

QString ioutText(double milliamps, const QLocale& locale) {
    return formatFixed(milliamps, 5, locale);
}

QString voltageText(double volts, const QLocale& locale) {
    return formatFixed(volts, 4, locale);
}

QString resistorText(double ohms, const QLocale& locale) {
    return formatFixed(ohms, 1, locale);
}

}  // namespace vcm
