#include "QtPrinters.h"
#include "WindowFixture.h"
#include "adapter/selection/AdapterFactory.h"
#include "app/AdapterUnavailable.h"

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

struct Started {
    explicit Started(const adapter::AdapterSelection& selection)
        : adapter(adapter::createAdapter(
              {selection, 0x80, true}, [] { return 0.0; },
              [this](const QString& line) { trace << line.mid(line.indexOf(u' ') + 1); })) {}
    QStringList trace;
    adapter::AdapterSetup adapter;
    test::WindowFixture window{adapter};
};

TEST(AdapterUnavailable, ALibraryThatCannotBeHadEndsTheProgramAfterAMessageAtTheFirstCall) {
    // No bridge beside the tests: the first call, the load sequence's connect, cannot reach the library.
    Started started({adapter::AdapterChoice::MakerLibrary, QStringLiteral("/nowhere/crvhid.dll")});
    ASSERT_TRUE(started.adapter.library().unavailable());
    const QString problem = *started.adapter.library().unavailable();
    EXPECT_EQ(started.trace, (QStringList{"crvHID_connect() = 0", "bridge: " + problem}));

    test::ScriptedMessages boxes;
    EXPECT_EQ(app::stopIfAdapterUnavailable(started.adapter, boxes), 1);
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].text, problem);
    EXPECT_EQ(boxes.shown[0].style, 16);
    EXPECT_EQ(boxes.shown[0].title, QString());
    EXPECT_TRUE(started.window.messages.shown.empty());
}

TEST(AdapterUnavailable, AnyOtherAdapterGoesOnWithoutAMessage) {
    for (const adapter::AdapterChoice choice :
         {adapter::AdapterChoice::Simulated, adapter::AdapterChoice::Absent}) {
        Started started({choice, {}});
        test::ScriptedMessages boxes;
        EXPECT_FALSE(app::stopIfAdapterUnavailable(started.adapter, boxes));
        EXPECT_TRUE(boxes.shown.empty());
    }
}

}  // namespace
}  // namespace vcm::test
