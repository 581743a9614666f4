#include "QtPrinters.h"
#include "Recorders.h"
#include "adapter/selection/AdapterFactory.h"
#include "app/AdapterUnavailable.h"
#include "app/FrmMain.h"

#include <gtest/gtest.h>

namespace vcm {
namespace {

struct Started {
    explicit Started(const AdapterSelection& selection)
        : adapter(createAdapter(
              {selection, 0x80, true}, [] { return 0.0; },
              [this](const QString& line) { trace << line.mid(line.indexOf(u' ') + 1); })) {
        FrmMainSetup setup;
        setup.adapter = &adapter.library();
        setup.messages = &messages;
        setup.pauses = &pauses;
        window = std::make_unique<FrmMain>(setup);
    }
    QStringList trace;
    AdapterSetup adapter;
    test::RecordingMessages messages;
    test::RecordingPauses pauses;
    std::unique_ptr<FrmMain> window;
};

TEST(AdapterUnavailable, ALibraryThatCannotBeHadEndsTheProgramAfterAMessageAtTheFirstCall) {
    // No bridge beside the tests: the first call, the load sequence's connect, cannot reach the library.
    Started started({AdapterChoice::MakerLibrary, QStringLiteral("/nowhere/crvhid.dll")});
    ASSERT_TRUE(started.adapter.library().unavailable());
    const QString problem = *started.adapter.library().unavailable();
    EXPECT_EQ(started.trace, (QStringList{"crvHID_connect() = 0", "bridge: " + problem}));

    test::RecordingMessages boxes;
    EXPECT_EQ(stopIfAdapterUnavailable(started.adapter, boxes), 1);
    ASSERT_EQ(boxes.shown.size(), 1U);
    EXPECT_EQ(boxes.shown[0].text, problem);
    EXPECT_EQ(boxes.shown[0].style, 16);
    EXPECT_EQ(boxes.shown[0].title, QString());
    EXPECT_TRUE(started.messages.shown.empty());
}

TEST(AdapterUnavailable, AnyOtherAdapterGoesOnWithoutAMessage) {
    for (const AdapterChoice choice : {AdapterChoice::Simulated, AdapterChoice::Absent}) {
        Started started({choice, {}});
        test::RecordingMessages boxes;
        EXPECT_FALSE(stopIfAdapterUnavailable(started.adapter, boxes));
        EXPECT_TRUE(boxes.shown.empty());
    }
}

}  // namespace
}  // namespace vcm
