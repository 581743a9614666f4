#pragma once

#include <QString>

#include <ostream>

// Lets GoogleTest print QStrings in failure messages instead of their bytes. QString lives in the global
// namespace, so this is found by argument-dependent lookup wherever a QString is printed.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
