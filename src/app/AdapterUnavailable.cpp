#include "app/AdapterUnavailable.h"

namespace vcm::app {

std::optional<int> stopIfAdapterUnavailable(const adapter::AdapterSetup& adapter,
                                            ui::MessageBoxService& messages) {
    const std::optional<QString> problem = adapter.library().unavailable();
    if (!problem) {
        return std::nullopt;
    }
    messages.show(*problem, kStyleOkCritical, {});
    return adapter::kAdapterUnavailableExitCode;
}

}  // namespace vcm::app
