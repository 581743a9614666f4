#include "app/AdapterUnavailable.h"

namespace vcm {

std::optional<int> stopIfAdapterUnavailable(const AdapterSetup& adapter, MessageBoxService& messages) {
    const std::optional<QString> problem = adapter.library().unavailable();
    if (!problem) {
        return std::nullopt;
    }
    messages.show(*problem, styleOkCritical, {});
    return adapterUnavailableExitCode;
}

}  // namespace vcm
