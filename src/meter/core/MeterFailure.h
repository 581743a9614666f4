#pragma once

#include <QString>

#include <utility>

namespace vcm::meter {

/// A meter that gave no reading: it could not be reached or set up, did not answer in time, answered
/// something that is not one reading in volts, or was stopped. `message` is one line that begins with the
/// meter's name ("meter scpi:tcp:...: ", "measure: ") and says what it did or answered.
struct MeterFailure {
    explicit MeterFailure(QString text) : message(std::move(text)) {}

    QString message;
};

}  // namespace vcm::meter
