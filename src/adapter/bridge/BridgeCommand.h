#pragma once

#include <QString>
#include <QStringList>

namespace vcm::adapter {

/// How to start the adapter bridge, the helper process that loads the board maker's 32-bit library.
struct BridgeCommand {
    QString bridge;         ///< the bridge program, vcm7310-adapter-bridge.exe
    QString program;        ///< what to start: the bridge itself on Windows, Wine elsewhere
    QStringList arguments;  ///< the bridge's path first when started through Wine; then --library PATH
    /// Set when the command cannot work as it stands (Wine missing): what to tell the user.
    QString problem;
};

/// The file name of the bridge program.
inline constexpr const char* bridgeFileName = "vcm7310-adapter-bridge.exe";

/// The command for the bridge in `bridgeFolder`, loading the library at `libraryPath` (a file or a
/// folder; empty: the crvhid.dll beside the bridge, else the one Windows finds). Off Windows the bridge runs
/// through the `wine` found on `searchPath` (the PATH), and the library's path is given as Wine sees it.
BridgeCommand bridgeCommand(const QString& bridgeFolder, const QString& libraryPath,
                            const QStringList& searchPath);

/// An absolute Unix path as Wine's programs see it, through the drive Z: that maps the root:
/// "/home/a/crvhid.dll" becomes "Z:\home\a\crvhid.dll". A relative path is made absolute first.
QString winePath(const QString& unixPath);

}  // namespace vcm::adapter
