#include "adapter/core/ConnectionSequence.h"

namespace vcm::adapter {

std::int16_t beginConnection(AdapterLibrary& library, std::int16_t& selectedModule) {
    const std::int16_t result = library.crvHID_connect();
    selectedModule = 0;
    return result;
}

bool finishConnection(AdapterLibrary& library, std::int16_t connectResult, std::int16_t& selectedModule) {
    if (connectResult == 0) {
        return false;
    }
    library.crvHID_indicateSelectedModule(selectedModule);
    // Fresh locals every time: the library may write back into them, and nothing else may see that.
    std::uint8_t first = 0;
    std::uint8_t second = 0;
    std::int32_t allPins = -1;
    library.crvHID_setGPIOConfiguration(first, second, allPins, selectedModule);
    return true;
}

}  // namespace vcm::adapter
