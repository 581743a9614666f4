// The real program, started as a user starts it, on the fake I2C bus preloaded into it: its start-up
// reaches the bus, and what it writes to stderr is read until the expected lines are there.
#include "FakeI2c.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace vcm::test {
namespace {

/// The trace lines (without their time stamps) and the failure lines among the complete lines of `text`.
QStringList programLines(const QString& text) {
    static const QRegularExpression ours(QStringLiteral("^([0-9]+\\.[0-9] |/dev/)"));
    QStringList lines;
    for (const QString& line : text.left(text.lastIndexOf(u'\n')).split(u'\n')) {
        if (ours.match(line).hasMatch()) {
            lines << (line.startsWith(u'/') ? line : line.mid(line.indexOf(u' ') + 1));
        }
    }
    return lines;
}

/// Runs the program with the fake bus preloaded until it has written `count` of its lines, then ends it.
QStringList startOnFakeBus(const QString& adapter, qsizetype count) {
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(VCM_FAKE_I2C_LIBRARY));
    environment.insert(QStringLiteral("FAKE_I2C_NODE"), QString::fromLatin1(FakeI2c::node));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(VCM_PROGRAM),
                  {QStringLiteral("--adapter"), adapter, QStringLiteral("--trace")});
    // The program never ends by itself: its output is read until it has said enough. The long limit only
    // keeps a broken run from hanging the suite.
    QString text;
    QStringList lines;
    while (lines.size() < count && program.waitForReadyRead(30000)) {
        text += QString::fromUtf8(program.readAll());
        lines = programLines(text);
    }
    program.kill();
    program.waitForFinished();
    return lines;
}

TEST(I2cProgram, StartsUpOnTheBusItIsGiven) {
    EXPECT_EQ(startOnFakeBus(QStringLiteral("i2c:97"), 3),
              (QStringList{"crvHID_connect() = 1", "crvHID_indicateSelectedModule(0) = 0",
                           "crvHID_setGPIOConfiguration(0x00, 0x00, -1, 0) = 0"}));
}

TEST(I2cProgram, SaysOnStderrWhyItFoundNoBus) {
    // Bus 96 is no bus the fake answers, nor one a build machine has.
    EXPECT_EQ(
        startOnFakeBus(QStringLiteral("i2c:/dev/i2c-96"), 2),
        (QStringList{"/dev/i2c-96: no such I2C bus; plug in the bridge, and load the i2c-dev module (sudo "
                     "modprobe i2c-dev) if it is not loaded",
                     "crvHID_connect() = 0"}));
}

}  // namespace
}  // namespace vcm::test
