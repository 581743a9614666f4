#include "adapter/bridge/BridgeAdapter.h"

#include "BridgeProtocol.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>

#include <utility>

namespace vcm::adapter {

namespace {

using bridge::CallArguments;
using bridge::Function;

/// How long a bridge that was told to end is let finish before it is killed.
constexpr int kFinishMilliseconds = 5000;

QString functionText(Function function) {
    return QString::fromLatin1(bridge::functionName(function));
}

QString libraryAdvice(const QString& bridge) {
    return QStringLiteral(
               "Put the crvhid.dll that came with the board beside %1, or give its path with --adapter "
               "crvhid:PATH.")
        .arg(bridge);
}

/// The user's message for a greeting the bridge refused.
QString refusal(const std::string& answer, const QString& bridge) {
    const std::vector<std::string> words = bridge::splitWords(answer);
    const QString kind = words.size() > 1 ? QString::fromStdString(words[1]) : QString();
    if (kind == QLatin1String("library") && words.size() >= 4) {
        // The path may hold blanks; the Windows error code is the last word.
        std::string path = answer.substr(std::string("fail library ").size());
        path = path.substr(0, path.find_last_of(' '));
        const QString error = QString::fromStdString(words.back());
        QString reason = QStringLiteral("Windows error %1").arg(error);
        if (error == QLatin1String("193")) {
            // The bridge names the word sizes when the file's header tells them ("fail wordsize").
            reason += QStringLiteral(": it is not a Windows library the bridge can load");
        }
        return QStringLiteral("The adapter library %1 could not be loaded (%2).\n")
                   .arg(QString::fromStdString(path), reason) +
               libraryAdvice(bridge);
    }
    if (kind == QLatin1String("wordsize") && words.size() >= 5) {
        const std::string path =
            answer.substr(std::string("fail wordsize ").size() + words[2].size() + 1 + words[3].size() + 1);
        return QStringLiteral(
                   "The adapter library %1 could not be loaded: it is a %2-bit library, and the adapter "
                   "bridge is %3-bit.\n")
                   .arg(QString::fromStdString(path), QString::fromStdString(words[2]),
                        QString::fromStdString(words[3])) +
               libraryAdvice(bridge);
    }
    if (kind == QLatin1String("function") && words.size() >= 4) {
        const std::string path = answer.substr(std::string("fail function ").size() + words[2].size() + 1);
        return QStringLiteral(
                   "The adapter library %1 has no function %2.\nUse the crvhid.dll that came with the "
                   "board.")
            .arg(QString::fromStdString(path), QString::fromStdString(words[2]));
    }
    return QStringLiteral(
               "The adapter bridge %1 did not start as expected (it answered '%2').\nReinstall the "
               "program.")
        .arg(bridge, QString::fromStdString(answer));
}

}  // namespace

BridgeAdapter::BridgeAdapter(BridgeCommand command, NoteSink notes, BridgeTimeouts timeouts)
    : command_(std::move(command)), notes_(std::move(notes)), timeouts_(timeouts) {}

BridgeAdapter::~BridgeAdapter() {
    stop();
}

std::int16_t BridgeAdapter::crvHID_connect() {
    if (!process_ && called_) {
        // The only call that starts a bridge again: a click on CONNECT after the bridge went away. Right
        // after a bridge ended, Wine may still be tidying up after it and refuse the first new start, so a
        // failed start is tried once more before CONNECT reports no adapter.
        std::optional<QString> problem = start();
        if (problem) {
            problem = start();
        }
        if (problem) {
            note(QStringLiteral("bridge: ") + *problem);
            return adapterResult::kNoAdapterFound;
        }
    }
    CallArguments arguments;
    return call(Function::Connect, arguments).value_or(adapterResult::kNoAdapterFound);
}

std::int16_t BridgeAdapter::crvHID_indicateSelectedModule(std::int16_t& module) {
    CallArguments arguments;
    arguments.module = module;
    const std::optional<std::int16_t> result = call(Function::IndicateSelectedModule, arguments);
    if (!result) {
        return adapterResult::kCallFailed;
    }
    module = arguments.module;
    return *result;
}

std::int16_t BridgeAdapter::crvHID_setGPIOConfiguration(std::uint8_t& first, std::uint8_t& second,
                                                        std::int32_t& mask, std::int16_t& module) {
    CallArguments arguments;
    arguments.deviceAddress = first;
    arguments.registerAddress = second;
    arguments.status = mask;
    arguments.module = module;
    const std::optional<std::int16_t> result = call(Function::SetGPIOConfiguration, arguments);
    if (!result) {
        return adapterResult::kCallFailed;
    }
    first = arguments.deviceAddress;
    second = arguments.registerAddress;
    mask = arguments.status;
    module = arguments.module;
    return *result;
}

namespace {

std::optional<std::int16_t> i2cCall(const std::function<std::optional<std::int16_t>(CallArguments&)>& send,
                                    std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                    std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                    std::int16_t& module, std::int32_t& status) {
    CallArguments arguments{deviceAddress, registerAddress, count, data, spare, module, status};
    const std::optional<std::int16_t> result = send(arguments);
    if (result) {
        deviceAddress = arguments.deviceAddress;
        registerAddress = arguments.registerAddress;
        count = arguments.count;
        data = std::move(arguments.data);
        spare = std::move(arguments.spare);
        module = arguments.module;
        status = arguments.status;
    }
    return result;
}

}  // namespace

std::int16_t BridgeAdapter::crvHID_doI2CRead(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                             std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                             std::int16_t& module, std::int32_t& status) {
    return i2cCall([this](CallArguments& a) { return call(Function::DoI2CRead, a); }, deviceAddress,
                   registerAddress, count, data, spare, module, status)
        .value_or(adapterResult::kCallFailed);
}

std::int16_t BridgeAdapter::crvHID_doI2CWrite(std::uint8_t& deviceAddress, std::uint8_t& registerAddress,
                                              std::uint8_t& count, ByteArray& data, ByteArray& spare,
                                              std::int16_t& module, std::int32_t& status) {
    return i2cCall([this](CallArguments& a) { return call(Function::DoI2CWrite, a); }, deviceAddress,
                   registerAddress, count, data, spare, module, status)
        .value_or(adapterResult::kCallFailed);
}

std::optional<std::int16_t> BridgeAdapter::call(Function function, CallArguments& arguments) {
    const QString name = functionText(function);
    if (!called_) {
        called_ = true;
        if (std::optional<QString> problem = start()) {
            note(QStringLiteral("bridge: ") + *problem);
            unavailable_ = std::move(problem);
            return std::nullopt;
        }
    }
    if (!process_) {
        note(QStringLiteral("bridge: not running, so %1 failed; CONNECT starts it again").arg(name));
        return std::nullopt;
    }
    const std::string request = bridge::formatCall({function, arguments}) + '\n';
    process_->write(request.data(), static_cast<qint64>(request.size()));
    const std::optional<std::string> answer = readAnswer(timeouts_.callMilliseconds);
    if (!answer) {
        const bool ended = process_->state() == QProcess::NotRunning;
        note(ended ? QStringLiteral("bridge: ended during %1 (exit code %2); the call failed")
                         .arg(name)
                         .arg(process_->exitCode())
                   : QStringLiteral("bridge: no answer to %1 within %2 ms; the bridge was stopped and the "
                                    "call failed")
                         .arg(name)
                         .arg(timeouts_.callMilliseconds));
        // A bridge still in the library cannot read the end of its input: waiting for it to end would
        // cost a second timeout, so it is killed at once.
        stop(Stop::Kill);
        return std::nullopt;
    }
    std::optional<std::pair<std::int16_t, CallArguments>> parsed = bridge::parseAnswer(function, *answer);
    if (!parsed) {
        note(QStringLiteral("bridge: answered %1 with '%2'; the call failed")
                 .arg(name, QString::fromStdString(*answer)));
        if (answer->rfind("fail crash", 0) == 0) {
            stop();
        }
        return std::nullopt;
    }
    arguments = std::move(parsed->second);
    return parsed->first;
}

std::optional<QString> BridgeAdapter::start() {
    if (!command_.problem.isEmpty()) {
        return command_.problem;
    }
    if (!QFileInfo(command_.bridge).isFile()) {
        return QStringLiteral(
                   "The adapter bridge %1 was not found.\nIt belongs beside the program; reinstall the "
                   "program, or build it with the MinGW-w64 cross compilers installed.")
            .arg(command_.bridge);
    }
    process_ = std::make_unique<QProcess>();
    recentErrorOutput_.clear();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // Wine's own diagnostics would fill the trace; a user who wants them sets WINEDEBUG.
    if (!environment.contains(QStringLiteral("WINEDEBUG"))) {
        environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    }
    process_->setProcessEnvironment(environment);
    process_->setProgram(command_.program);
    process_->setArguments(command_.arguments);
    process_->start();
    if (!process_->waitForStarted(timeouts_.startMilliseconds)) {
        const QString reason = process_->errorString();
        stop();
        return QStringLiteral(
                   "The adapter bridge %1 could not be started with %2 (%3).\nCheck that it and %2 "
                   "can run on this computer.")
            .arg(command_.bridge, command_.program, reason);
    }
    const std::string hello = "hello " + std::to_string(bridge::kProtocolVersion) + '\n';
    process_->write(hello.data(), static_cast<qint64>(hello.size()));
    const std::optional<std::string> answer = readAnswer(timeouts_.startMilliseconds);
    if (!answer) {
        const QString output = recentErrorOutput_.join(QStringLiteral(" / "));
        stop();
        return QStringLiteral(
                   "The adapter bridge %1 did not answer after it was started%2.\nCheck that it "
                   "can run on this computer.")
            .arg(command_.bridge,
                 output.isEmpty() ? QString() : QStringLiteral(" (it said: %1)").arg(output));
    }
    if (answer->rfind("ok ", 0) != 0) {
        stop();
        return refusal(*answer, command_.bridge);
    }
    return std::nullopt;
}

std::optional<std::string> BridgeAdapter::readAnswer(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!process_->canReadLine()) {
        if (process_->state() == QProcess::NotRunning ||
            !process_->waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            passOnErrorOutput();
            if (process_->canReadLine()) {
                break;
            }
            return std::nullopt;
        }
    }
    // The library's words to stderr came before the answer, so they are all in by now.
    passOnErrorOutput();
    return process_->readLine().trimmed().toStdString();
}

void BridgeAdapter::passOnErrorOutput() {
    errorOutput_ += process_->readAllStandardError();
    qsizetype end = 0;
    while ((end = errorOutput_.indexOf('\n')) >= 0) {
        const QString line = QString::fromLocal8Bit(errorOutput_.left(end)).trimmed();
        errorOutput_.remove(0, end + 1);
        if (!line.isEmpty()) {
            note(line);
            recentErrorOutput_.append(line);
            if (recentErrorOutput_.size() > 3) {
                recentErrorOutput_.removeFirst();
            }
        }
    }
}

void BridgeAdapter::stop(Stop how) {
    if (!process_) {
        return;
    }
    if (process_->state() != QProcess::NotRunning) {
        // End of input ends a healthy bridge. A bridge that is ending (end of input, a crash it reported)
        // is let finish, since killing it midway can leave Wine unsettled for the next start; one that
        // does not end within the time is killed.
        if (how == Stop::LetFinish) {
            process_->closeWriteChannel();
        }
        if (how == Stop::Kill || !process_->waitForFinished(kFinishMilliseconds)) {
            process_->kill();
            process_->waitForFinished(1000);
        }
    }
    process_.reset();
}

void BridgeAdapter::note(const QString& text) const {
    if (notes_) {
        notes_(text);
    }
}

}  // namespace vcm::adapter
