#pragma once

#include "QtPrinters.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStringList>

namespace vcm::test {

/// What one run of the real vcm7310 gave.
struct ToolRun {
    int exitCode = -1;
    QString out;
    QString err;

    /// The stderr lines without their time stamps ("12.3 crvHID_connect() = 1" gives
    /// "crvHID_connect() = 1"); lines that are not trace lines stay as they are.
    QStringList errLines() const {
        static const QRegularExpression stamp(QStringLiteral("^[0-9]+\\.[0-9] "));
        QStringList lines = err.split(u'\n', Qt::SkipEmptyParts);
        for (QString& line : lines) {
            line.remove(stamp);
        }
        return lines;
    }
    QStringList outLines() const { return out.split(u'\n', Qt::SkipEmptyParts); }
};

inline QString toolPath() {
    return QStringLiteral(VCM7310_PATH);
}

/// Runs vcm7310 with `arguments` and no display, as a script on a server would; `extra` adds to its
/// environment.
inline ToolRun runTool(const QStringList& arguments, const QList<std::pair<QString, QString>>& extra = {}) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : extra) {
        environment.insert(name, value);
    }
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(environment);
    process.start(toolPath(), arguments);
    process.waitForFinished(60000);
    ToolRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    // Windows ends the tool's text lines with CR LF; the tests compare lines.
    run.out = QString::fromUtf8(process.readAllStandardOutput())
                  .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    run.err = QString::fromUtf8(process.readAllStandardError())
                  .replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return run;
}

/// The trace lines of opening the simulated board, which every bus command starts with.
inline QStringList connectTrace() {
    return {QStringLiteral("crvHID_connect() = 1"), QStringLiteral("crvHID_indicateSelectedModule(0) = 0"),
            QStringLiteral("crvHID_setGPIOConfiguration(0x00, 0x00, -1, 0) = 0")};
}

}  // namespace vcm::test
