#include "adapter/sim/SimulatedVcom.h"

#include "calculator/FieldTexts.h"
#include "dcp/NumberFormat.h"

#include <QLocale>

#include <variant>

namespace vcm::adapter {

double simulatedVcom(std::uint8_t value, const SimulatedVcomShape& shape) {
    const calc::ForwardInputs board = calc::defaultDivider(value);
    // The board's divider is fixed and sound, so the model cannot fault here.
    const double ideal = std::get<calc::ForwardResults>(calc::computeForward(board)).vcom;
    double vcom = ideal * (1.0 + shape.errorPercent / 100.0) + shape.offsetMv / 1000.0;
    if (shape.stepFrom >= 0 && value >= shape.stepFrom) {
        vcom += shape.stepMv / 1000.0;
    }
    return vcom;
}

double simulatedVcom(std::uint8_t value, double errorPercent) {
    return simulatedVcom(value, SimulatedVcomShape{errorPercent});
}

QString simulatedMeasurementText(double volts) {
    return dcp::formatFixed(volts, 6, QLocale::c());
}

}  // namespace vcm::adapter
