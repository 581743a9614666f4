// How many measurements the closed-loop trim takes, over many simulated boards: the search from the
// model's prediction beside the halving search it replaced. Figures only; nothing here passes or fails.
#include "adapter/sim/SimulatedVcom.h"
#include "station/TrimSearch.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

struct Figures {
    std::vector<std::size_t> counts;
    int wrong = 0;  ///< ended elsewhere than a sweep of all 256 values would
};

void print(const char* name, Figures& figures) {
    std::sort(figures.counts.begin(), figures.counts.end());
    std::printf("%-14s median %2zu  90th %2zu  max %2zu  not the sweep's value %d of %zu\n", name,
                figures.counts[figures.counts.size() / 2], figures.counts[figures.counts.size() * 9 / 10],
                figures.counts.back(), figures.wrong, figures.counts.size());
}

}  // namespace

int main() {
    const vcm::calc::ForwardInputs divider{8.0, 10000.0, 83000.0, 133000.0, 0};
    const vcm::station::ModelLine model =
        std::get<vcm::station::ModelLine>(vcm::station::modelLineOf(divider));
    std::mt19937 random(7310);
    std::uniform_real_distribution<double> gain(-10.0, 10.0);
    std::uniform_real_distribution<double> offset(-50.0, 50.0);
    std::uniform_real_distribution<double> noise(-0.001, 0.001);
    std::uniform_int_distribution<int> code(0, 255);
    std::uniform_real_distribution<double> fraction(0.0, 1.0);

    Figures interpolating;
    Figures halving;
    constexpr int boards = 2000;
    for (int board = 0; board < boards; ++board) {
        const vcm::adapter::SimulatedVcomShape shape{gain(random), offset(random)};
        std::vector<double> vcom(256);
        for (int value = 0; value < 256; ++value) {
            vcom[static_cast<std::size_t>(value)] =
                vcm::adapter::simulatedVcom(static_cast<std::uint8_t>(value), shape) + noise(random);
        }
        // A target between two values the board reaches.
        const int at = std::min(code(random), 254);
        const double target =
            vcom[static_cast<std::size_t>(at)] +
            (vcom[static_cast<std::size_t>(at + 1)] - vcom[static_cast<std::size_t>(at)]) * fraction(random);
        const std::size_t best =
            static_cast<std::size_t>(std::min_element(vcom.begin(), vcom.end(),
                                                      [&](double a, double b) {
                                                          return std::abs(a - target) < std::abs(b - target);
                                                      }) -
                                     vcom.begin());
        const auto measureAt = [&](std::uint8_t value) { return vcom[value]; };
        for (auto [strategy, figures] :
             {std::pair{vcm::station::SearchStrategy::Interpolating, &interpolating},
              std::pair{vcm::station::SearchStrategy::Halving, &halving}}) {
            const vcm::station::ClosedLoopResult result =
                vcm::station::nearestByMeasurement(target, model, 1.0, measureAt, strategy);
            figures->counts.push_back(result.measurements.size());
            figures->wrong += result.best.value != best;
        }
    }
    std::printf(
        "Measurements per trim, final check included, on %d boards (gain +-10 %%, offset +-50 mV, "
        "noise +-1 mV):\n",
        boards);
    print("interpolating", interpolating);
    print("halving", halving);
    return 0;
}
