// scripts/monkey: a long random-user run on the real window. Usage: monkey [ACTIONS] [SEED]
#include "Monkey.h"

#include <QApplication>

#include <cstdio>
#include <random>
#include <string>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const int actions = argc > 1 ? std::stoi(argv[1]) : 20000;
    const std::uint64_t seed = argc > 2 ? std::stoull(argv[2]) : std::random_device{}();
    QApplication app(argc, argv);
    std::printf("monkey: %d actions, seed %llu\n", actions, static_cast<unsigned long long>(seed));
    std::fflush(stdout);
    if (const auto report = vcm::monkey::check(seed, actions)) {
        std::printf("%s", report->toLocal8Bit().constData());
        std::printf("repeat with: scripts/monkey %d %llu\n", actions, static_cast<unsigned long long>(seed));
        return 1;
    }
    std::printf("monkey: every invariant held\n");
    return 0;
}
