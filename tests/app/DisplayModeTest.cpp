#include "SimulatedWindow.h"
#include "ui/VbScrollBar.h"

#include <QLabel>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

class DisplayMode : public ::testing::Test {
  protected:
    void SetUp() override { f.show(); }
    void click(const char* option) { QTest::mouseClick(f.get(option), Qt::LeftButton, {}, QPoint(5, 8)); }
    QString label(const char* name) const { return f.get<QLabel>(name)->text(); }
    SimulatedWindow f;
};

TEST_F(DisplayMode, SwitchingConvertsEveryDcpTextAndSendsNothing) {
    struct Case {
        const char* hex;
        const char* dec;
        const char* backToHex;
        int value;
    };
    const Case cases[] = {{"FF", "255", "FF", 255}, {"00", "0", "00", 0}, {"0A", "10", "0A", 10}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.hex);
        f.get<QLineEdit>("txtTest(0)")->setText(c.hex);
        f.forget();
        click("opDisplayMode(1)");
        EXPECT_EQ(f.window->globals().displayHex, dcp::kVbFalse);
        EXPECT_EQ(f.text("txtTest(0)"), c.dec);
        EXPECT_EQ(f.text("txtDVR"), c.dec);
        EXPECT_EQ(label("lblDVR"), "DCP (dec)");
        EXPECT_EQ(label("lblDVR2"), "DCP (dec)");
        EXPECT_EQ(f.get<ui::VbScrollBar>("vscTest(0)")->value(), c.value);

        click("opDisplayMode(0)");
        EXPECT_EQ(f.window->globals().displayHex, dcp::kVbTrue);
        EXPECT_EQ(f.text("txtTest(0)"), c.backToHex);
        EXPECT_EQ(f.text("txtDVR"), c.backToHex);
        EXPECT_EQ(label("lblDVR"), "DCP (hex)");
        EXPECT_EQ(label("lblDVR2"), "DCP (hex)");
        EXPECT_EQ(f.get<ui::VbScrollBar>("vscTest(0)")->value(), c.value);
        EXPECT_TRUE(f.calls.isEmpty());
        EXPECT_TRUE(f.pauses.pauses.empty());
    }
}

TEST_F(DisplayMode, ClickingTheSelectedOptionChangesNothing) {
    f.get<QLineEdit>("txtTest(0)")->setText("0A");
    click("opDisplayMode(0)");
    EXPECT_EQ(f.text("txtTest(0)"), "0A");
    EXPECT_EQ(label("lblDVR"), "DCP Value");  // keeps its design caption until the first real switch
    click("opDisplayMode(1)");
    f.get<QLineEdit>("txtTest(0)")->setText("7");
    click("opDisplayMode(1)");
    EXPECT_EQ(f.text("txtTest(0)"), "7");
    EXPECT_EQ(f.window->globals().displayHex, dcp::kVbFalse);
}

TEST_F(DisplayMode, ThreeZerosTypedInHexBecomeZeroInDecimal) {
    f.get<QLineEdit>("txtTest(0)")->setText("000");
    click("opDisplayMode(1)");
    EXPECT_EQ(f.text("txtTest(0)"), "0");
    click("opDisplayMode(0)");
    EXPECT_EQ(f.text("txtTest(0)"), "00");
}

}  // namespace
}  // namespace vcm::test
