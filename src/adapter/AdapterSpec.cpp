#include "adapter/AdapterSpec.h"

namespace vcm {

std::optional<AdapterSpec> parseAdapterSpec(const QString& text, QString& problem) {
    if (text == QStringLiteral("sim")) {
        return AdapterSpec{AdapterChoice::Simulated, {}};
    }
    if (text == QStringLiteral("none")) {
        return AdapterSpec{AdapterChoice::Absent, {}};
    }
    problem = QStringLiteral("Unknown adapter '%1' (use %2).").arg(text, adapterSpecValueName());
    return std::nullopt;
}

QString adapterSpecValueName() {
    return QStringLiteral("sim|none");
}

QString adapterSpecDescription() {
    return QStringLiteral(
        "Adapter library to use: sim (a simulated board, the default) or none (no adapter "
        "found).");
}

}  // namespace vcm
