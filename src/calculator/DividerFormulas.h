#pragma once

#include "calculator/CheckedArithmetic.h"

#include <QString>

namespace vcm::calc {

/// The supply and the three resistors of the divider, as one calculation sees them.
struct Divider {
    double avdd = 0.0;
    double rset = 0.0;
    double r1 = 0.0;
    double r2 = 0.0;
};

/// The pieces of the divider model that the forward and the reverse calculation share, each evaluated in
/// the fixed order and grouping of its formula, so that both directions give bit-identical values.
///
/// IOUT in milliamperes: AVDD / (RSET × 20) × (N / 256), then × 1000.
double ioutMilliamps(CheckedArithmetic& arithmetic, double avdd, double rset, double n);

/// VRSET = IOUT / 1000 × RSET, with IOUT in milliamperes.
double vrsetVolts(CheckedArithmetic& arithmetic, double ioutMilliamps, double rset);

/// The node voltage with a current drawn: (1 − drawn / (RSET × rsetFactor)) × (R2 / (R2 + R1) × AVDD).
/// `drawn` is N × R1 for VCOM (the caller computes it first) or R1 alone for the ends of the range.
double loadedNodeVoltage(CheckedArithmetic& arithmetic, const Divider& divider, double drawn,
                         double rsetFactor, const QString& zeroSumMessage);

/// The message when RSET is 0: no current through it can be worked out.
QString rsetZeroMessage();

}  // namespace vcm::calc
