#include "calculator/FieldTexts.h"

#include "dcp/LocaleNumber.h"
#include "dcp/NumberFormat.h"

namespace vcm::calc {

ForwardInputs defaultDivider(std::uint8_t d) {
    // The default texts are plain numbers, so every one of them reads.
    const auto number = [](const char16_t* text) {
        return dcp::localeNumber(QString::fromUtf16(text), QLocale::c()).value_or(0.0);
    };
    return {number(kAvddDefaultText), number(kRsetDefaultText), number(kR1DefaultText),
            number(kR2DefaultText), d};
}

QString ioutText(double milliamps, const QLocale& locale) {
    return dcp::formatFixed(milliamps, 5, locale);
}

QString voltageText(double volts, const QLocale& locale) {
    return dcp::formatFixed(volts, 4, locale);
}

QString resistorText(double ohms, const QLocale& locale) {
    return dcp::formatFixed(ohms, 1, locale);
}

}  // namespace vcm::calc
