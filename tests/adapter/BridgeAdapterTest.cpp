// The bridge client where no bridge can run; the bridge itself is tested under Wine in tests/bridge.

#include "adapter/bridge/BridgeAdapter.h"
#include "adapter/bridge/BridgeCommand.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

namespace vcm::test {
namespace {

#ifndef Q_OS_WIN
TEST(BridgeCommand, WineRunsTheBridgeAndSeesTheLibraryThroughDriveZ) {
    EXPECT_EQ(adapter::winePath(QStringLiteral("/home/a b/crvhid.dll")),
              QStringLiteral("Z:\\home\\a b\\crvhid.dll"));
    const QTemporaryDir bin;
    QFile wine(bin.filePath(QStringLiteral("wine")));
    ASSERT_TRUE(wine.open(QIODevice::WriteOnly));
    wine.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    wine.close();

    const adapter::BridgeCommand found =
        adapter::bridgeCommand(QStringLiteral("/opt/vcm"), QStringLiteral("/lib/x"), {bin.path()});
    EXPECT_EQ(found.program, wine.fileName());
    EXPECT_EQ(found.arguments,
              (QStringList{"/opt/vcm/vcm7310-adapter-bridge.exe", "--library", "Z:\\lib\\x"}));
    EXPECT_TRUE(found.problem.isEmpty());
    EXPECT_EQ(adapter::bridgeCommand(QStringLiteral("/opt/vcm"), {}, {bin.path()}).arguments,
              QStringList{"/opt/vcm/vcm7310-adapter-bridge.exe"});

    const QTemporaryDir empty;
    const adapter::BridgeCommand missing =
        adapter::bridgeCommand(QStringLiteral("/opt/vcm"), {}, {empty.path()});
    EXPECT_TRUE(missing.problem.contains(QLatin1String("'wine' was not found on the PATH")));
}
#endif

TEST(BridgeAdapter, AMissingBridgeFailsTheFirstCallForGoodAndNamesTheFile) {
    adapter::BridgeCommand command;
    command.bridge = QStringLiteral("/nowhere/vcm7310-adapter-bridge.exe");
    command.program = QStringLiteral("/bin/sh");
    QStringList notes;
    adapter::BridgeAdapter adapter(command, [&notes](const QString& line) { notes << line; });
    EXPECT_EQ(adapter.crvHID_connect(), 0);
    ASSERT_TRUE(adapter.unavailable());
    EXPECT_TRUE(adapter.unavailable()->startsWith(
        QLatin1String("The adapter bridge /nowhere/vcm7310-adapter-bridge.exe was not found.\n")));
    std::int16_t module = 5;
    EXPECT_EQ(adapter.crvHID_indicateSelectedModule(module), 1);
    EXPECT_EQ(module, 5);
    EXPECT_EQ(notes, (QStringList{QStringLiteral("bridge: ") + *adapter.unavailable(),
                                  "bridge: not running, so crvHID_indicateSelectedModule failed; CONNECT "
                                  "starts it again"}));
    // CONNECT tries again, still in vain.
    EXPECT_EQ(adapter.crvHID_connect(), 0);
    EXPECT_EQ(notes.size(), 3);
}

}  // namespace
}  // namespace vcm::test
