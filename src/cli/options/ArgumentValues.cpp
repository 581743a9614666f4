#include "cli/options/ArgumentValues.h"

#include "adapter/core/ArgumentText.h"
#include "cli/commands/CommandFailure.h"
#include "dcp/LocaleNumber.h"

#include <QLocale>

namespace vcm::cli {

std::optional<std::uint8_t> dcpArgument(const QString& text, bool decimal) {
    const adapter::ByteArgument byte = adapter::readByteArgument(text, decimal);
    return byte.status == adapter::ByteArgument::Status::Ok ? std::optional<std::uint8_t>(byte.value)
                                                            : std::nullopt;
}

QString dcpArgumentProblem(const QString& what, const QString& text, bool decimal, bool decOffered) {
    const QString quoted = adapter::quotedArgument(text);
    const bool outOfRange =
        adapter::readByteArgument(text, decimal).status == adapter::ByteArgument::Status::OutOfRange;
    if (decimal) {
        return outOfRange
                   ? QStringLiteral("%1 %2 is out of range (with --dec give 0 to 255).").arg(what, quoted)
                   : QStringLiteral("Bad %1 %2 (with --dec give a decimal number from 0 to 255).")
                         .arg(what, quoted);
    }
    const QString orDecimal = decOffered ? QStringLiteral(", or 0 to 255 with --dec") : QString();
    if (outOfRange) {
        return QStringLiteral("%1 %2 is out of range (give 00 to FF%3).").arg(what, quoted, orDecimal);
    }
    return QStringLiteral("Bad %1 %2 (give two hexadecimal digits from 00 to FF, such as 7D or 0x7D%3).")
        .arg(what, quoted, decOffered ? QStringLiteral(", or a decimal number with --dec") : QString());
}

std::uint8_t requireDcpArgument(const QString& what, const QString& text, bool decimal, bool decOffered) {
    const std::optional<std::uint8_t> value = dcpArgument(text, decimal);
    if (!value) {
        throw CommandFailure{kExitUsage, dcpArgumentProblem(what, text, decimal, decOffered)};
    }
    return *value;
}

std::optional<double> numberArgument(const QString& text) {
    const QLocale c = QLocale::c();
    if (text.contains(c.groupSeparator())) {
        return std::nullopt;
    }
    return dcp::localeNumber(text, c);
}

}  // namespace vcm::cli
