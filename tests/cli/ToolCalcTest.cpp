#include "RunTool.h"

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

/// The text output of calc forward: IOUT, VRSET, VCOM, DCP, VOUTmax, VOUTmin.
QString forwardText(const QString& iout, const QString& vrset, const QString& vcom, const QString& dcpLabel,
                    const QString& dcp, const QString& voutMax, const QString& voutMin) {
    return QStringLiteral(
               "IOUT      %1 mA\nVRSET     %2 V\nVCOM      %3 V\n%4 %5\nVOUTmax   %6 V\nVOUTmin   %7 V\n")
        .arg(iout, vrset, vcom, dcpLabel, dcp, voutMax, voutMin);
}

TEST(ToolCalc, ForwardGivesTheWorkedExampleRows) {
    struct Case {
        QStringList arguments;
        QString out;
    };
    const QString hex = QStringLiteral("DCP (hex)");
    const QString dec = QStringLiteral("DCP (dec)");
    const Case cases[] = {
        // Left out, every option is what the window shows at start-up.
        {{}, forwardText("0.00016", "0.0016", "4.9179", hex, "00", "4.9179", "2.8817")},
        {{"--avdd", "8", "--rset", "10000", "--r1", "83000", "--r2", "133000", "--dcp", "80"},
         forwardText("0.02016", "0.2016", "3.8958", hex, "80", "4.9179", "2.8817")},
        {{"--dcp", "FF"}, forwardText("0.04000", "0.4000", "2.8817", hex, "FF", "4.9179", "2.8817")},
        {{"--dcp", "128", "--dec"},
         forwardText("0.02016", "0.2016", "3.8958", dec, "128", "4.9179", "2.8817")},
        {{"--dcp", "200", "--dec"},
         forwardText("0.03141", "0.3141", "3.3209", dec, "200", "4.9179", "2.8817")},
        // A zero R1 draws nothing from the node: every voltage is AVDD.
        {{"--r1", "0"}, forwardText("0.00016", "0.0016", "8.0000", hex, "00", "8.0000", "8.0000")},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(QStringList{"calc", "forward"} + c.arguments);
        EXPECT_EQ(run.exitCode, 0) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, c.out) << c.arguments.join(' ').toStdString();
    }
    EXPECT_EQ(
        runTool({"calc", "forward", "--dcp", "80", "--json"}).out,
        QStringLiteral("{\"command\":\"calc forward\",\"iout\":0.02016,\"vrset\":0.2016,\"vcom\":3.8958,"
                       "\"dcp\":\"80\",\"voutMax\":4.9179,\"voutMin\":2.8817,\"outcome\":\"pass\"}\n"));
}

TEST(ToolCalc, ReverseGivesTheWindowsResistorTexts) {
    struct Case {
        QStringList arguments;
        QStringList lines;  ///< VCOM, R1 and R2, and what is out of range
    };
    const Case cases[] = {
        // The start-up range, rounded to four decimals, does not quite give back 83000 and 133000.
        {{}, {"VCOM      4.9179 V", "R1        82997.7 ohm", "R2        132993.4 ohm"}},
        {{"--dcp", "80"}, {"VCOM      3.8958 V", "R1        82997.7 ohm", "R2        132993.4 ohm"}},
        {{"--dcp", "255", "--dec"},
         {"VCOM      2.8817 V", "R1        82997.7 ohm", "R2        132993.4 ohm"}},
        {{"--vmax", "4.91794053819444", "--vmin", "2.88166666666667"},
         {"VCOM      4.9179 V", "R1        83000.0 ohm", "R2        133000.0 ohm"}},
        {{"--avdd", "20"},
         {"VCOM      4.9179 V", "R1        82997.7 ohm", "R2        27121.8 ohm",
          "AVDD is out of range: above 18 V"}},
        {{"--avdd", "18"}, {"VCOM      4.9179 V", "R1        82997.7 ohm", "R2        31270.7 ohm"}},
        {{"--vmax", "-1", "--vmin", "-3"},
         {"VCOM      -1.0000 V", "R1        -404743.1 ohm (out of range: not above 0)",
          "R2        44657.7 ohm"}},
        {{"--vmax", "8", "--vmin", "0"},
         {"VCOM      8.0000 V", "R1        200000.0 ohm",
          "R2        -51200000.0 ohm (out of range: not above 0)"}},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(QStringList{"calc", "reverse"} + c.arguments);
        EXPECT_EQ(run.exitCode, 0) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.outLines().mid(2, 1) + run.outLines().mid(4), c.lines)
            << c.arguments.join(' ').toStdString();
    }
    EXPECT_EQ(
        runTool({"calc", "reverse", "--vmax", "8", "--vmin", "0", "--json"}).out,
        QStringLiteral("{\"command\":\"calc reverse\",\"iout\":0.00016,\"vrset\":0.0016,\"vcom\":8.0000,"
                       "\"dcp\":\"00\",\"r1\":200000.0,\"r2\":-51200000.0,\"outOfRange\":[\"r2\"],"
                       "\"outcome\":\"pass\"}\n"));
}

TEST(ToolCalc, TheCalculatorsChecksAreUsageErrorsAndArithmeticFaultsFailures) {
    struct Case {
        QStringList arguments;
        int exitCode;
        QString err;
    };
    const Case cases[] = {
        {{"forward", "--avdd", "0"}, 2, "vcm7310: AVDD needs to be non-zero\n"},
        {{"forward", "--avdd", "-5", "--rset", "0"}, 2, "vcm7310: AVDD needs to be non-zero\n"},
        {{"forward", "--rset", "0"}, 2, "vcm7310: Rset needs to be greater than 0\n"},
        {{"forward", "--r1", "1e308", "--r2", "1e308"},
         1,
         "vcm7310: R1 + R2 is too large to compute with these values. Please check R1 and R2 for values that "
         "are far too large.\n"},
        {{"reverse", "--avdd", "0"}, 2, "vcm7310: AVDD needs to be non-zero\n"},
        {{"reverse", "--vmax", "9"}, 2, "vcm7310: VOUTmax cannot exceed AVDD\n"},
        {{"reverse", "--vmax", "3", "--vmin", "3"}, 2, "vcm7310: VOUTmin must be lower than VOUTmax\n"},
        {{"reverse", "--rset", "-1"}, 2, "vcm7310: Rset needs to be greater than 0\n"},
        {{"reverse", "--vmax", "7.96875", "--vmin", "0"},
         1,
         "vcm7310: The wanted range makes the divisor of R2 zero: the span VOUTmax - VOUTmin is exactly 255 "
         "times AVDD - VOUTmax. Please change VOUTmax, VOUTmin or AVDD.\n"},
        {{"forward", "--avdd", "abc"},
         2,
         "vcm7310: Bad --avdd value 'abc' (give a number such as 4.9179).\n"
         "Try 'vcm7310 calc forward --help' for more information.\n"},
        {{"reverse", "--dcp", "100"},
         2,
         "vcm7310: --dcp value '100' is out of range (give 00 to FF, or 0 to 255 with --dec).\n"
         "Try 'vcm7310 calc reverse --help' for more information.\n"},
        {{"reverse", "--dcp", "7G"},
         2,
         "vcm7310: Bad --dcp value '7G' (give two hexadecimal digits from 00 to FF, such as 7D or 0x7D, or "
         "a decimal number with --dec).\nTry 'vcm7310 calc reverse --help' for more information.\n"},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(QStringList{"calc"} + c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, c.err) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, QString()) << c.arguments.join(' ').toStdString();
    }
}

// R1 + R2 not above 0: the window shows its warning, then every value; so does the tool, with exit 0. A
// trim, which would send a value worked out from that divider, still refuses it.
TEST(ToolCalc, ANegativeResistorSumWarnsAndTheValuesFollow) {
    struct Case {
        QStringList arguments;
        int exitCode;
        QString err;
        QString out;
    };
    const QString warning = QStringLiteral("vcm7310: warning: R1+R2 is less than 0?\n");
    const Case cases[] = {
        {{"calc", "forward", "--r1", "-100000", "--r2", "50000"},
         0,
         warning,
         forwardText("0.00016", "0.0016", "-8.0156", "DCP (hex)", "00", "-8.0156", "-12.0000")},
        {{"calc", "forward", "--r1", "-100000", "--r2", "50000", "--json"},
         0,
         warning,
         "{\"command\":\"calc forward\",\"iout\":0.00016,\"vrset\":0.0016,\"vcom\":-8.0156,\"dcp\":\"00\","
         "\"voutMax\":-8.0156,\"voutMin\":-12.0000,\"warnings\":[\"R1+R2 is less than "
         "0?\"],\"outcome\":\"pass\"}\n"},
        // A sum of exactly 0 warns too, and then cannot be worked out.
        {{"calc", "forward", "--r1", "0", "--r2", "0"},
         1,
         warning +
             "vcm7310: R1 + R2 is 0, so the divider cannot be worked out. R1 + R2 must not be 0: please "
             "change R1 or R2.\n",
         ""},
        {{"trim", "--vcom", "4", "--r1", "-100000", "--r2", "50000", "--trace"},
         2,
         "vcm7310: R1+R2 is less than 0?\n",
         ""},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool(c.arguments);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, c.err) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.out, c.out) << c.arguments.join(' ').toStdString();
    }
}

}  // namespace
}  // namespace vcm::test
