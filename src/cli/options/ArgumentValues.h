#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace vcm::cli {

/// A DCP value as the tool takes it (VALUE, --dcp, and any other option that takes one): the one byte rule
/// of readByteArgument, hexadecimal by default ("7D", "7d", "0x7D", "07D", " 7 ") or with `decimal` the
/// digits of 0..255 ("125", "0007"). Anything else gives nullopt.
std::optional<std::uint8_t> dcpArgument(const QString& text, bool decimal);

/// The sentence a bad DCP value gets: out of range, or not a value at all. `what` names it ("VALUE",
/// "--dcp value"); `decOffered` says whether the command has --dec, which the sentence then points to.
QString dcpArgumentProblem(const QString& what, const QString& text, bool decimal, bool decOffered = true);

/// The DCP value, or a usage failure (exit 2) with dcpArgumentProblem's sentence.
std::uint8_t requireDcpArgument(const QString& what, const QString& text, bool decimal,
                                bool decOffered = true);

/// A number for a calculator option, written as the window reads it with a period for the decimal point:
/// a sign, digits, a point and an exponent ("8", "-5", "4.9179", "1e4"). Digit grouping is refused, so
/// "8,5" typed by habit is not silently taken as 85. Not finite or not a number gives nullopt.
std::optional<double> numberArgument(const QString& text);

}  // namespace vcm::cli
