#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

TEST(ToolkitOptions, AreRemovedWithTheirValuesAndTheProgramsOwnOptionsKept) {
    struct Case {
        QStringList given;
        QStringList kept;
    };
    const Case cases[] = {
        {{"bench"}, {"bench"}},
        {{"bench", "-platform", "offscreen", "--trace"}, {"bench", "--trace"}},
        {{"bench", "-platform=xcb", "--adapter", "none"}, {"bench", "--adapter", "none"}},
        {{"bench", "-style", "fusion", "-reverse", "--eeprom", "7D"}, {"bench", "--eeprom", "7D"}},
        {{"bench", "-qmljsdebugger=port:1234", "--help"}, {"bench", "--help"}},
        // Not the toolkit's: left for the parser to judge (and refuse).
        {{"bench", "-x", "--bogus", "positional"}, {"bench", "-x", "--bogus", "positional"}},
        {{"bench", "--platform", "x"}, {"bench", "--platform", "x"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(app::withoutToolkitOptions(c.given), c.kept) << c.given.join(' ').toStdString();
    }
}

}  // namespace
}  // namespace vcm::test
