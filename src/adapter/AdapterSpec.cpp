#include "adapter/AdapterSpec.h"

namespace vcm {

std::optional<AdapterSpec> parseAdapterSpec(const QString& text, QString& problem) {
    if (text == QStringLiteral("sim")) {
        return AdapterSpec{AdapterChoice::Simulated, {}};
    }
    if (text == QStringLiteral("none")) {
        return AdapterSpec{AdapterChoice::Absent, {}};
    }
    if (text == QStringLiteral("crvhid")) {
        return AdapterSpec{AdapterChoice::MakerLibrary, {}};
    }
    if (text.startsWith(QStringLiteral("crvhid:"))) {
        const QString path = text.mid(7);
        if (path.isEmpty()) {
            problem = QStringLiteral("Give the library's path after 'crvhid:', or use plain crvhid.");
            return std::nullopt;
        }
        return AdapterSpec{AdapterChoice::MakerLibrary, path};
    }
    problem = QStringLiteral("Unknown adapter '%1' (use %2).").arg(text, adapterSpecValueName());
    return std::nullopt;
}

QString adapterSpecValueName() {
    return QStringLiteral("sim|none|crvhid[:PATH]");
}

QString adapterSpecDescription() {
    return QStringLiteral(
        "Adapter library to use: sim (a simulated board, the default), none (no adapter "
        "found), or crvhid (the board maker's crvhid.dll beside the adapter bridge; crvhid:PATH for "
        "another one).");
}

}  // namespace vcm
