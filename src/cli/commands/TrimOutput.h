#pragma once

#include "cli/commands/Commands.h"
#include "cli/commands/TrimBench.h"

namespace vcm::cli {

/// The trim's JSON object: the target and how it was trimmed, the readings, and what was found and done.
JsonObject trimJson(const Command command, const TrimSetup& setup, const station::TrimResult& result);

/// The text lines of a trim that passed: the value, its VCOM and error, and whether it was programmed.
void printTrimmed(const CommandOutput& out, const TrimSetup& setup, const station::TrimResult& result);

/// A reading as the trim prints it as it goes: "measured 7D (125): 4.0123 V".
QString readingLine(const station::Measurement& reading);

/// A difference with its sign always written: "+0.0004", "-0.0012".
QString signedText(double value, int decimals);

}  // namespace vcm::cli
