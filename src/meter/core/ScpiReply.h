#pragma once

#include <QString>

#include <optional>

namespace vcm::meter {

/// What a measurement query's reply says.
struct ScpiReading {
    enum class Kind {
        Volts,          ///< one number in volts, in `volts`
        Overload,       ///< the instrument's overload value (9.9E37, either sign): out of its range
        SeveralValues,  ///< more than one value (separated by commas or semicolons)
        NotANumber,     ///< empty, junk, a unit after the number, or a number that is not finite
    };
    Kind kind = Kind::NotANumber;
    double volts = 0.0;
};

/// Reads the reply to a measurement query: blanks, CR and LF around it aside, one decimal number
/// ("+4.01234567E+00", "4.0123", "-.5", "12"), no unit, no digit grouping.
ScpiReading scpiReading(const QString& reply);

/// An entry of the instrument's error queue, as `SYST:ERR?` answers it: `0,"No error"` or
/// `-113,"Undefined header"`.
struct ScpiError {
    int code = 0;
    QString text;  ///< without its quotes

    bool isError() const { return code != 0; }
};

/// Reads a `SYST:ERR?` reply: a whole number, then optionally a comma and the text (quoted or not).
/// Nothing when the reply is not in that form.
std::optional<ScpiError> scpiError(const QString& reply);

}  // namespace vcm::meter
