// The locale-independent text rules: the numeric reading, the DCP texts and the key filters.
#include "FuzzCheck.h"
#include "dcp/DcpText.h"
#include "dcp/NumericValue.h"

#include <QLocale>

#include <cmath>
#include <cstdint>

using vcm::fuzz::require;

namespace {

bool isPlusZeroOrNonZero(double v) {
    return v != 0.0 || !std::signbit(v);
}

void checkNumericValue(const QString& text) {
    const double v = vcm::dcp::numericValue(text);
    require(!std::isnan(v), "numericValue is never NaN", text);
    require(isPlusZeroOrNonZero(v), "numericValue gives zero as +0", text);

    // Blanks, tabs and line feeds are ignored anywhere in a text, so one more changes nothing.
    static constexpr char16_t blanks[] = {u' ', u'\t', u'\n'};
    const qsizetype at = text.isEmpty() ? 0 : static_cast<qsizetype>(text.size() / 2);
    for (const char16_t blank : blanks) {
        QString spaced = text;
        spaced.insert(at, QChar(blank));
        require(vcm::dcp::numericValue(spaced) == v, "an inserted blank, tab or line feed changes nothing",
                text);
    }
}

void checkDcpText(const QString& text, bool hex, const QLocale& locale) {
    const double number = vcm::dcp::dcpNumber(text, hex);
    require(!std::isnan(number), "dcpNumber is never NaN", text);

    // The slider, the calculator and a send read the same value from a text, or the send refuses it.
    const int slider = vcm::dcp::sliderValueOf(text, hex, locale);
    require(slider >= 0 && slider <= 255, "the slider's value is 0..255", text);
    const auto value = vcm::dcp::dcpValueOf(text, hex, locale);
    if (value) {
        require(*value == slider, "the calculator computes with the value the slider shows", text);
    }
    if (const auto sent = vcm::dcp::sendableDcpValue(text, hex, locale)) {
        require(sent == value && *sent == slider, "a send carries the value the slider shows", text);
        const QString canonical = vcm::dcp::dcpText(*sent, hex);
        require(vcm::dcp::sendableDcpValue(canonical, hex, locale) == sent,
                "the canonical form of a value is sent", text);
    }
}

void checkKeyFilters(std::uint16_t code) {
    std::uint16_t hex = code;
    vcm::dcp::filterHexKey(hex);
    const bool hexPasses =
        hex == 0 || hex == 8 || hex == 13 || (hex >= u'0' && hex <= u'9') || (hex >= u'A' && hex <= u'F');
    require(hexPasses, "the hex filter lets only Enter, Backspace and hex digits through",
            QString(QChar(code)));
    std::uint16_t again = hex;
    vcm::dcp::filterHexKey(again);
    require(again == hex, "the hex filter keeps what it let through", QString(QChar(code)));

    std::uint16_t decimal = code;
    vcm::dcp::filterDecimalKey(decimal);
    require(decimal == 0 || decimal == code, "the decimal filter passes a key unchanged or swallows it",
            QString(QChar(code)));
    require(decimal == 0 || decimal == 8 || decimal == 13 || (decimal >= u'0' && decimal <= u'9'),
            "the decimal filter lets only Enter, Backspace and digits through", QString(QChar(code)));
}

void checkDcpForms(int value, const QLocale& locale) {
    const QString hex = vcm::dcp::dcpText(value, true);
    const int clamped = value < 0 ? 0 : (value > 255 ? 255 : value);
    require(hex.size() == 2 && vcm::dcp::sendableDcpValue(hex, true, locale) == clamped,
            "the hex form is two hex digits, the end of the range for a value outside a byte", hex);
    if (value >= 0 && value <= 255) {
        require(vcm::dcp::sendableDcpValue(vcm::dcp::dcpText(value, false), false, locale) == value,
                "the decimal form reads back", vcm::dcp::dcpText(value, false));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const QLocale locales[] = {QLocale(QLocale::English, QLocale::UnitedStates),
                                      QLocale(QLocale::German, QLocale::Germany)};
    const QString text = vcm::fuzz::textOf(data, size);
    checkNumericValue(text);
    for (const QLocale& locale : locales) {
        checkDcpText(text, true, locale);
        checkDcpText(text, false, locale);
    }
    for (const QChar c : text) {
        checkKeyFilters(c.unicode());
    }
    if (size >= 2) {
        checkDcpForms(static_cast<std::int16_t>(data[0] | (data[1] << 8)), locales[0]);
    }
    return 0;
}
