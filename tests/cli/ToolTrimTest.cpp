#include "RunTool.h"
#include "adapter/sim/SimulatedVcom.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include <cmath>

namespace vcm::test {
namespace {

TEST(ToolTrim, ModelOnlyOnTheDefaultDivider) {
    struct Case {
        const char* target;
        QString out;
    };
    const Case cases[] = {
        {"4.9179", "DCP       00 (0)\nVCOM      4.9179 V predicted\nerror     +0.0000 V\n"},
        // 2.8817 lies a little above VOUTmin (2.8816667): the error keeps its sign though it rounds to zero.
        {"2.8817", "DCP       FF (255)\nVCOM      2.8817 V predicted\nerror     -0.0000 V\n"},
        {"3.8958", "DCP       80 (128)\nVCOM      3.8958 V predicted\nerror     +0.0000 V\n"},
        {"4", "DCP       73 (115)\nVCOM      3.9996 V predicted\nerror     -0.0004 V\n"},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool({"trim", "--vcom", c.target});
        EXPECT_EQ(run.exitCode, 0) << c.target;
        EXPECT_EQ(run.out, c.out) << c.target;
    }
}

TEST(ToolTrim, ModelOnlySendsVerifiesAndProgramsTheValue) {
    const ToolRun run = runTool({"trim", "--vcom", "3.8958", "--program", "--trace", "--json"});
    EXPECT_EQ(run.exitCode, 0);
    const QStringList expected =
        connectTrace() + QStringList{"crvHID_doI2CWrite(0x4E, 0x00, 1, [81 00], [00], 0, 0) = 0",
                                     "sim: data register 0x80",
                                     "crvHID_doI2CRead(0x4E, 0x00, 1, [80 00], [00], 0, 0) = 0",
                                     "crvHID_doI2CWrite(0x4E, 0x00, 1, [80 00], [00], 0, 0) = 0",
                                     "sim: EEPROM 0x80",
                                     "crvHID_doI2CRead(0x4E, 0x00, 1, [80 00], [00], 0, 0) = 0"};
    EXPECT_EQ(run.errLines(), expected);
    EXPECT_EQ(
        run.out,
        QStringLiteral(
            "{\"command\":\"trim\",\"target\":3.8958,\"basis\":\"model\",\"hex\":\"80\","
            "\"value\":128,\"vcom\":3.8958,\"error\":0.0000,\"programmed\":true,\"outcome\":\"pass\"}\n"));
}

TEST(ToolTrim, ATargetOutsideTheRangeIsAUsageErrorBeforeTheBus) {
    for (const char* target : {"4.91795", "5", "2.88166", "0", "-4.9"}) {
        const ToolRun run = runTool({"trim", "--vcom", target, "--trace"});
        EXPECT_EQ(run.exitCode, 2) << target;
        EXPECT_EQ(run.errLines(),
                  QStringList{QStringLiteral("vcm7310: trim: target %1 V is outside the reachable "
                                             "range 2.8817 V (VOUTmin) to 4.9179 V (VOUTmax)")
                                  .arg(QString::fromUtf8(target))})
            << target;
    }
}

class ClosedLoop : public ::testing::Test {
  protected:
    QString board() const { return dir_.filePath(QStringLiteral("board.json")); }
    QString meter() const {
        return QStringLiteral("'%1' sim-measure --sim-state '%2'").arg(toolPath(), board());
    }
    /// The DCP texts of the "measured" lines, in order.
    static QStringList measuredValues(const ToolRun& run) {
        QStringList values;
        for (const QString& line : run.outLines()) {
            if (line.startsWith(QStringLiteral("measured "))) {
                values << line.section(u' ', 1, 1);
            }
        }
        return values;
    }
    QTemporaryDir dir_;
};

TEST_F(ClosedLoop, ConvergesToTheSweepsValueInFewMeasurements) {
    for (const double target : {4.0, 3.0, 5.0, 4.5}) {
        // The sweep: the simulated meter's reading at each of the 256 values, nearest first, lower on a tie.
        int best = 0;
        double bestDistance = INFINITY;
        for (int value = 0; value <= 255; ++value) {
            const double reading = adapter::simulatedMeasurementText(
                                       adapter::simulatedVcom(static_cast<std::uint8_t>(value), 3.0))
                                       .toDouble();
            if (std::abs(reading - target) < bestDistance) {
                bestDistance = std::abs(reading - target);
                best = value;
            }
        }
        const ToolRun run = runTool({"trim", "--vcom", QString::number(target), "--sim-vcom-error", "3",
                                     "--sim-state", board(), "--measure", meter()});
        EXPECT_EQ(run.exitCode, 0) << target << run.err.toStdString();
        EXPECT_LE(measuredValues(run).size(), 6) << target;
        EXPECT_EQ(run.outLines().value(run.outLines().size() - 3),
                  QStringLiteral("DCP       %1 (%2)").arg(best, 2, 16, QLatin1Char('0')).toUpper().arg(best))
            << target;
        // The chip holds it afterwards.
        EXPECT_EQ(runTool({"read", "--sim-state", board(), "--json"}).out,
                  QStringLiteral("{\"command\":\"read\",\"hex\":\"%1\",\"value\":%2,\"outcome\":\"pass\"}\n")
                      .arg(QStringLiteral("%1").arg(best, 2, 16, QLatin1Char('0')).toUpper())
                      .arg(best));
    }
}

TEST_F(ClosedLoop, AFailingMeasurementStopsWithTheEepromUntouched) {
    struct Case {
        QString command;
        QString err;
    };
    const Case cases[] = {
        {"false", "vcm7310: measure: the command failed with exit code 1"},
        {"echo 'no reading'", "vcm7310: measure: the command printed no number ('no reading')"},
        {"true", "vcm7310: measure: the command printed no number ('')"},
        {"printf '4.0\\033[0m'", "vcm7310: measure: the command printed no number ('4.0\\x1b[0m')"},
        // One reading rule for both meters: a plain decimal number, the overload value refused.
        {"echo '&H4'", "vcm7310: measure: the command printed no number ('&H4')"},
        {"echo 4D0", "vcm7310: measure: the command printed no number ('4D0')"},
        {"echo -9.9E37",
         "vcm7310: measure: the command printed '-9.9E37', the overload value (out of range)"},
    };
    for (const Case& c : cases) {
        QFile::remove(board());
        const ToolRun run = runTool({"trim", "--vcom", "4", "--program", "--trace", "--sim-state", board(),
                                     "--sim-vcom-error", "3", "--measure", c.command});
        EXPECT_EQ(run.exitCode, 3) << c.command.toStdString();
        // The model's value for 4 V was sent and verified, then the measurement failed: nothing more on
        // the bus.
        const QStringList expected =
            connectTrace() + QStringList{"crvHID_doI2CWrite(0x4F, 0x00, 1, [73 00], [00], 0, 0) = 0",
                                         "sim: data register 0x73",
                                         "crvHID_doI2CRead(0x4E, 0x00, 1, [73 00], [00], 0, 0) = 0", c.err};
        EXPECT_EQ(run.errLines(), expected) << c.command.toStdString();
        EXPECT_EQ(run.out, QStringLiteral("tolerance 0.007985 V (one DCP step of the model)\n"));
    }
    // A measurement on a board that was never set up is a mistake, not a fresh board.
    QFile::remove(board());
    const ToolRun run = runTool({"sim-measure", "--sim-state", board()});
    EXPECT_EQ(run.exitCode, 3);
}

TEST_F(ClosedLoop, ATargetOutOfTheBoardsReachFailsAtTheEndThatShowsIt) {
    struct Case {
        const char* target;
        QString end;
        QString err;
    };
    const Case cases[] = {
        {"5.1", "00",
         "vcm7310: trim: target 5.1 V is above the highest VCOM the board reaches (5.065479 V at 00); "
         "nothing "
         "was programmed\n"},
        {"2.9", "FF",
         "vcm7310: trim: target 2.9 V is below the lowest VCOM the board reaches (2.968117 V at FF); nothing "
         "was programmed\n"},
    };
    for (const Case& c : cases) {
        const ToolRun run = runTool({"trim", "--vcom", c.target, "--program", "--sim-vcom-error", "3",
                                     "--sim-state", board(), "--measure", meter()});
        EXPECT_EQ(run.exitCode, 1) << c.target;
        EXPECT_TRUE(measuredValues(run).contains(c.end)) << c.target;
        EXPECT_LE(measuredValues(run).size(), 3) << c.target;
        EXPECT_EQ(run.err, c.err);
    }
    // Reach is judged with the tolerance: 00 reads 4.917941 V, a millivolt below 4.919 V.
    QFile::remove(board());
    const ToolRun near = runTool(
        {"trim", "--vcom", "4.919", "--tolerance", "0.005", "--sim-state", board(), "--measure", meter()});
    EXPECT_EQ(near.exitCode, 0) << near.err.toStdString();
    EXPECT_TRUE(near.out.contains("DCP       00 (0)\n")) << near.out.toStdString();
}

QString shellQuoted(const QString& text) {
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("'\\''")) + u'\'';
}

// The README's closed-loop example works as written when the tool is run from the build tree, where no
// vcm7310 is on the PATH for the measure command.
TEST(ToolTrim, TheReadmesClosedLoopExampleRunsAsWritten) {
    QFile readme(QStringLiteral(VCM_README_PATH));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(readme.readAll()).split(u'\n');
    const qsizetype first = lines.indexOf(
        QRegularExpression(QStringLiteral("^    vcm7310 trim .*--sim-state board\\.json.*\\\\$")));
    ASSERT_GE(first, 0) << "the example is gone from the README";
    QString example;
    for (qsizetype i = first; i < lines.size(); ++i) {
        example += lines[i] + u'\n';
        if (!lines[i].endsWith(u'\\')) {
            break;
        }
    }
    // The outer vcm7310 is the one the user starts by its path (build/vcm7310).
    example.replace(QRegularExpression(QStringLiteral("^ *vcm7310 ")), shellQuoted(toolPath()) + u' ');
    ASSERT_TRUE(example.contains(QStringLiteral("--measure"))) << example.toStdString();

    QTemporaryDir dir;
    QProcess shell;
    shell.setWorkingDirectory(dir.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/bin:/bin"));
    environment.remove(QStringLiteral("VCM7310"));
    shell.setProcessEnvironment(environment);
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), example});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(QString::fromUtf8(shell.readAllStandardError()), QString()) << example.toStdString();
    EXPECT_EQ(shell.exitCode(), 0) << example.toStdString();
    const QStringList out = QString::fromUtf8(shell.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_TRUE(out.value(out.size() - 3).startsWith(QStringLiteral("DCP       ")))
        << out.join(u'\n').toStdString();
}

TEST_F(ClosedLoop, TheSimulatedMeterReadsTheBoardsVcomWithItsError) {
    ASSERT_EQ(runTool({"send", "80", "--sim-state", board(), "--sim-vcom-error", "3"}).exitCode, 0);
    // 3.8958109 V from the model, 3 % higher.
    EXPECT_EQ(runTool({"sim-measure", "--sim-state", board()}).out, QStringLiteral("4.012685\n"));
    ASSERT_EQ(runTool({"send", "80", "--sim-state", board(), "--sim-vcom-error", "0"}).exitCode, 0);
    EXPECT_EQ(runTool({"sim-measure", "--sim-state", board()}).out, QStringLiteral("3.895811\n"));
}

}  // namespace
}  // namespace vcm::test
