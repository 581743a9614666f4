#include "cli/SimulatedVcom.h"

#include "calculator/FieldTexts.h"
#include "dcp/NumberFormat.h"

#include <QLocale>

#include <variant>

namespace vcm {

double simulatedVcom(std::uint8_t value, double errorPercent) {
    const ForwardInputs board = defaultDivider(value);
    // The board's divider is fixed and sound, so the model cannot fault here.
    const double ideal = std::get<ForwardResults>(computeForward(board)).vcom;
    return ideal * (1.0 + errorPercent / 100.0);
}

QString simulatedMeasurementText(double volts) {
    return formatFixed(volts, 6, QLocale::c());
}

}  // namespace vcm
