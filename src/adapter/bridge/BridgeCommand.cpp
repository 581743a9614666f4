#include "adapter/bridge/BridgeCommand.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vcm::adapter {

QString winePath(const QString& unixPath) {
    QString path = QFileInfo(unixPath).absoluteFilePath();
    path.replace(u'/', u'\\');
    return QStringLiteral("Z:") + path;
}

BridgeCommand bridgeCommand(const QString& bridgeFolder, const QString& libraryPath,
                            const QStringList& searchPath) {
    BridgeCommand command;
    command.bridge = QDir(bridgeFolder).filePath(QString::fromLatin1(bridgeFileName));
#ifdef Q_OS_WIN
    (void)searchPath;
    command.program = command.bridge;
    if (!libraryPath.isEmpty()) {
        command.arguments << QStringLiteral("--library") << QDir::toNativeSeparators(libraryPath);
    }
#else
    command.program = QStandardPaths::findExecutable(QStringLiteral("wine"), searchPath);
    if (command.program.isEmpty()) {
        command.problem = QStringLiteral(
            "The board's own adapter library is a Windows library, and running it here needs Wine, but "
            "'wine' was not found on the PATH.\nInstall Wine with its 32-bit part (on Debian: dpkg "
            "--add-architecture i386, then apt-get install wine wine32), or choose another adapter with "
            "--adapter.");
    }
    command.arguments << command.bridge;
    if (!libraryPath.isEmpty()) {
        command.arguments << QStringLiteral("--library") << winePath(libraryPath);
    }
#endif
    return command;
}

}  // namespace vcm::adapter
