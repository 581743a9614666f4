#pragma once

// Sorting command-line words into options and values, before a parser reads them.

#include <QCommandLineOption>
#include <QString>
#include <QStringList>

#include <vector>

namespace vcm::cli {

/// One option as it stands on the command line: its name, and its words (the option, and its value when
/// that is the next word).
struct OptionWords {
    QString name;
    QStringList words;
};

struct ArrangedWords {
    std::vector<OptionWords> options;
    QStringList positional;
    QString missingValue;  ///< an option that takes a value but ends the command line
};

/// Sorts command-line words into options and positional values as QCommandLineParser does, except that a
/// word that looks like a negative number is a value.
ArrangedWords arrangeWords(const QStringList& words, const std::vector<const QCommandLineOption*>& known);

}  // namespace vcm::cli
