#include "cli/options/CommandWords.h"

#include <QRegularExpression>

#include <algorithm>

namespace vcm::cli {

namespace {

/// No option of ours is a digit or a point, so "-1" or "-0.5" is a (bad) value, never an option.
bool looksLikeNegativeNumber(const QString& word) {
    static const QRegularExpression shape(QStringLiteral("^-[0-9.]"));
    return shape.match(word).hasMatch();
}

}  // namespace

ArrangedWords arrangeWords(const QStringList& words, const std::vector<const QCommandLineOption*>& known) {
    const auto takesValue = [&known](const QString& name) {
        return std::any_of(known.begin(), known.end(), [&name](const QCommandLineOption* option) {
            return option->names().contains(name) && !option->valueName().isEmpty();
        });
    };
    ArrangedWords arranged;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words[i];
        if (word == QStringLiteral("--")) {
            arranged.positional += words.mid(i + 1);
            break;
        }
        if (!word.startsWith(u'-') || word.size() == 1 || looksLikeNegativeNumber(word)) {
            arranged.positional << word;
            continue;
        }
        const bool isLong = word.startsWith(QStringLiteral("--"));
        OptionWords option{isLong ? word.mid(2).section(u'=', 0, 0) : word.mid(1), {word}};
        if (!(isLong && word.contains(u'=')) && takesValue(option.name)) {
            if (i + 1 == words.size()) {
                arranged.missingValue = word;
            } else {
                option.words << words[++i];
            }
        }
        arranged.options.push_back(std::move(option));
    }
    return arranged;
}

}  // namespace vcm::cli
