// The adapter contract over the back-ends this process can have: the simulated board, no adapter, and
// on Linux the kernel's I2C bus (the preloaded fake bus at /dev/i2c-97). The bridge's run is in
// tests/bridge, where Wine is.
#include "AdapterContract.h"
#include "adapter/core/AbsentAdapter.h"
#include "adapter/sim/SimulatedAdapter.h"
#ifdef VCM_HAVE_I2C_DEV
#include "FakeI2c.h"
#include "adapter/linux/I2cDevAdapter.h"
#endif

namespace vcm::test {
namespace {

struct SimulatedMaker {
    static constexpr const char* name = "Simulated";
    static constexpr bool present = true;
    std::unique_ptr<adapter::AdapterLibrary> make() {
        return std::make_unique<adapter::SimulatedAdapter>(adapter::SimulatedChip(kContractPowerOn));
    }
};

struct AbsentMaker {
    static constexpr const char* name = "Absent";
    static constexpr bool present = false;
    std::unique_ptr<adapter::AdapterLibrary> make() { return std::make_unique<adapter::AbsentAdapter>(); }
};

#ifdef VCM_HAVE_I2C_DEV
struct I2cDevMaker {
    static constexpr const char* name = "I2cDev";
    static constexpr bool present = true;
    std::unique_ptr<adapter::AdapterLibrary> make() {
        const FakeI2c* fake = FakeI2c::find();
        if (fake == nullptr) {
            return nullptr;  // not run with the fake_i2c library preloaded
        }
        fake->setState(FakeI2c::State::Present);
        fake->powerOn(kContractPowerOn);
        // Its problems and notes are its own tests' business.
        return std::make_unique<adapter::I2cDevAdapter>(
            adapter::locateI2cBus(QString::fromLatin1(FakeI2c::node)), [](const QString&) {},
            [](const QString&) {});
    }
};
#endif

using Makers = ::testing::Types<SimulatedMaker, AbsentMaker
#ifdef VCM_HAVE_I2C_DEV
                                ,
                                I2cDevMaker
#endif
                                >;
INSTANTIATE_TYPED_TEST_SUITE_P(BackEnd, AdapterContract, Makers, MakerNames);

}  // namespace
}  // namespace vcm::test
