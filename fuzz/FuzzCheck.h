#pragma once

#include <QString>

#include <cstdio>
#include <cstdlib>

namespace vcm::fuzz {

/// Stops the run with a message when an invariant does not hold; libFuzzer then saves the input that
/// broke it. Texts are printed with their UTF-16 code units, so invisible characters show.
inline void require(bool holds, const char* invariant, const QString& text = {}) {
    if (holds) {
        return;
    }
    std::fprintf(stderr, "invariant broken: %s\ntext:", invariant);
    for (const QChar c : text) {
        std::fprintf(stderr, " U+%04X", static_cast<unsigned>(c.unicode()));
    }
    std::fprintf(stderr, "\n");
    std::abort();
}

/// The fuzz input as text: UTF-8, with malformed sequences replaced as the toolkit replaces them.
inline QString textOf(const std::uint8_t* data, std::size_t size) {
    return QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

}  // namespace vcm::fuzz
