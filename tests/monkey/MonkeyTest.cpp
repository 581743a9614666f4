#include "Monkey.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace vcm::monkey {
namespace {

// A fixed seed, so that every run of the suite drives the window the same way; scripts/monkey tries
// others.
constexpr std::uint64_t kSuiteSeed = 20261207;
constexpr int kSuiteActions = 3000;

TEST(Monkey, RandomUserKeepsBoxSliderBusAndEepromInStep) {
    const std::optional<QString> report = check(kSuiteSeed, kSuiteActions);
    EXPECT_FALSE(report.has_value()) << report.value_or(QString()).toStdString();
}

}  // namespace
}  // namespace vcm::monkey
