// The adapter contract (tests/adapter/AdapterContract.h) over the bridge and the stand-in library, whose
// chip powers on as the contract's does. Each case starts a bridge of its own, so the chip is fresh.
#include "AdapterContract.h"
#include "adapter/bridge/BridgeAdapter.h"

#include <QCoreApplication>

namespace vcm::test {
namespace {

struct BridgeMaker {
    static constexpr const char* name = "Bridge";
    static constexpr bool present = true;
    std::unique_ptr<adapter::AdapterLibrary> make() {
        return std::make_unique<adapter::BridgeAdapter>(adapter::bridgeCommand(
            QCoreApplication::applicationDirPath(), QStringLiteral(VCM_STANDIN_DIR "/standin"), {}));
    }
};

INSTANTIATE_TYPED_TEST_SUITE_P(BackEnd, AdapterContract, ::testing::Types<BridgeMaker>, MakerNames);

}  // namespace
}  // namespace vcm::test
