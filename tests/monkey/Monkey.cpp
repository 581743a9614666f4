#include "Monkey.h"

#include "WatchedBoard.h"
#include "WindowFixture.h"
#include "dcp/DcpText.h"
#include "ui/VbScrollBar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <random>

namespace vcm::monkey {
namespace {

#if defined(__SANITIZE_ADDRESS__)
#define VCM_INSTRUMENTED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VCM_INSTRUMENTED 1
#endif
#endif

// No action may take a second. A sanitizer build runs the same code several times slower, so there the
// limit only catches a hang.
#ifdef VCM_INSTRUMENTED
constexpr qint64 kLongestActionMs = 10000;
#else
constexpr qint64 kLongestActionMs = 1000;
#endif

struct NamedKey {
    Qt::Key key;
    const char* name;
    char text;  // 0 for keys that type nothing
};

constexpr NamedKey kKeys[] = {
    {Qt::Key_Up, "Up", 0},
    {Qt::Key_Down, "Down", 0},
    {Qt::Key_PageUp, "PageUp", 0},
    {Qt::Key_PageDown, "PageDown", 0},
    {Qt::Key_Return, "Enter", 0},
    {Qt::Key_Tab, "Tab", 0},
    {Qt::Key_Backspace, "Backspace", 0},
    {Qt::Key_Delete, "Delete", 0},
    {Qt::Key_Left, "Left", 0},
    {Qt::Key_Right, "Right", 0},
    {Qt::Key_Home, "Home", 0},
    {Qt::Key_End, "End", 0},
    {Qt::Key_Space, "Space", ' '},
    {Qt::Key_Escape, "Escape", 0},
    {Qt::Key_Minus, "-", '-'},
    {Qt::Key_Period, ".", '.'},
    {Qt::Key_Comma, ",", ','},
    {Qt::Key_0, "0", '0'},
    {Qt::Key_1, "1", '1'},
    {Qt::Key_2, "2", '2'},
    {Qt::Key_5, "5", '5'},
    {Qt::Key_7, "7", '7'},
    {Qt::Key_9, "9", '9'},
    {Qt::Key_A, "A", 'a'},
    {Qt::Key_C, "C", 'c'},
    {Qt::Key_D, "D", 'd'},
    {Qt::Key_E, "E", 'e'},
    {Qt::Key_F, "F", 'f'},
    {Qt::Key_G, "G", 'g'},
    {Qt::Key_H, "H", 'h'},
    {Qt::Key_X, "X", 'x'},
};

const char* const clickTargets[] = {
    "cmdRead",          "cmdWrite",         "cmdConnect", "cmdCalculate", "btnHelp",
    "opDisplayMode(0)", "opDisplayMode(1)", "txtTest(0)", "vscTest(0)",   "vscTest(0)",
    "txtAVDD",          "txtRSET",          "txtR1",      "txtR2",        "txtVoutMax",
    "txtVOutMin",       "txtIOUT",          "txtVOUT",    "txtDVR",       "fraCalculator",
};

const char* const wheelTargets[] = {"txtTest(0)", "vscTest(0)", "fraCalculator", "txtAVDD", "cmdWrite"};

/// Pieces that pasted texts are made of: digits and hex letters, signs, separators, exponents, prefixes,
/// and characters that look like blanks or digits but are not ASCII.
const char16_t* const pieces[] = {
    u"0",      u"1",          u"7",      u"9",        u"A",      u"d",      u"F",          u"f",
    u"80",     u"FF",         u"255",    u"256",      u"300",    u"-",      u"+",          u".",
    u",",      u"e",          u"E",      u"D",        u"&H",     u"&O",     u" ",          u"\t",
    u"\n",     u"\r",         u"\u00A0", u"\u3000",   u"\u2007", u"\u202F", u"\u200B",     u"\u000B",
    u"\uFEFF", u"\u2212",     u"\uFF11", u"\u0661",   u"\u00E9", u"\u4E2D", u"\U0001F600", u"x",
    u"1e308",  u"0000000000", u"NaN",    u"Infinity",
};

QString codePoints(const QString& text) {
    QStringList units;
    for (const QChar c : text.left(24)) {
        units << QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
    }
    if (text.size() > 24) {
        units << QStringLiteral("... (%1 units)").arg(text.size());
    }
    return units.join(QLatin1Char(' '));
}

QString randomText(std::mt19937_64& rng) {
    const int shape = static_cast<int>(rng() % 20);
    if (shape == 0) {
        return {};
    }
    if (shape == 1) {  // very long
        return QString(static_cast<qsizetype>(1000 + rng() % 40000), QChar(u"7 \u00A0A\u4E2D"[rng() % 5]));
    }
    QString text;
    const int count = 1 + static_cast<int>(rng() % 6);
    for (int i = 0; i < count; ++i) {
        text += QString::fromUtf16(pieces[rng() % std::size(pieces)]);
    }
    return text;
}

/// The window under test with everything the invariants look at.
class Session {
  public:
    Session() {
        box_ = window_.get<QLineEdit>(QStringLiteral("txtTest(0)"));
        slider_ = window_.get<ui::VbScrollBar>(QStringLiteral("vscTest(0)"));
        QObject::connect(window_.get<QAbstractButton>(QStringLiteral("cmdWrite")), &QAbstractButton::pressed,
                         [this] { eepromPressed_ = true; });
        board_.watch([this](std::uint8_t value, bool toEeprom) { checkWrite(value, toEeprom); });
        window_.show();
    }
    ~Session() { QApplication::clipboard()->clear(); }

    std::optional<QString> perform(const Action& action) {
        eepromPressed_ = false;
        broken_.reset();
        const std::uint8_t eepromBefore = board_.chip().eeprom();
        QElapsedTimer clock;
        clock.start();
        apply(action);
        const qint64 elapsed = clock.elapsed();
        if (broken_) {
            return broken_;
        }
        if (const auto shown = dcp::dcpValueOf(box_->text(), hex(), locale_);
            shown && *shown != slider_->value()) {
            return QStringLiteral("the box shows %1 but the slider %2")
                .arg(box_->text())
                .arg(slider_->value());
        }
        if (board_.chip().eeprom() != eepromBefore && !lastEepromWrite_) {
            return QStringLiteral("the EEPROM changed without a write");
        }
        if (lastEepromWrite_ && board_.chip().eeprom() != *lastEepromWrite_) {
            return QStringLiteral("the EEPROM holds 0x%1, not the value written")
                .arg(board_.chip().eeprom(), 2, 16, QLatin1Char('0'));
        }
        if (elapsed > kLongestActionMs) {
            return QStringLiteral("the action took %1 ms").arg(elapsed);
        }
        lastEepromWrite_.reset();
        return std::nullopt;
    }

  private:
    bool hex() const { return window_.window->globals().displayHex != dcp::kVbFalse; }

    void checkWrite(std::uint8_t value, bool toEeprom) {
        if (broken_) {
            return;
        }
        const auto shown = dcp::dcpValueOf(box_->text(), hex(), locale_);
        if (shown != value || slider_->value() != value) {
            broken_ = QStringLiteral("%1 write of 0x%2 while the box shows \"%3\" and the slider %4")
                          .arg(toEeprom ? QStringLiteral("an EEPROM") : QStringLiteral("a data-register"))
                          .arg(value, 2, 16, QLatin1Char('0'))
                          .arg(box_->text().left(40))
                          .arg(slider_->value());
        } else if (toEeprom && !eepromPressed_) {
            broken_ = QStringLiteral("an EEPROM write without \"Write to EEPROM\"");
        }
        if (toEeprom) {
            lastEepromWrite_ = value;
        }
    }

    QWidget* target(const QString& name) const {
        if (QWidget* w = window_.get(name)) {
            return w;
        }
        return window_.window.get();
    }

    void apply(const Action& action) {
        QWindow* handle = window_.window->windowHandle();
        switch (action.kind) {
            case Action::Kind::Key: {
                const NamedKey& k = kKeys[action.key];
                if (k.text != 0) {
                    QTest::keyClick(handle, k.text);
                } else {
                    QTest::keyClick(handle, k.key);
                }
                break;
            }
            case Action::Kind::Paste:
                if (!action.target.isEmpty()) {
                    // Replaces the whole text, as a user does: click, Home, Shift+End, paste.
                    QTest::mouseClick(target(action.target), Qt::LeftButton);
                    QTest::keyClick(handle, Qt::Key_Home);
                    QTest::keyClick(handle, Qt::Key_End, Qt::ShiftModifier);
                }
                QApplication::clipboard()->setText(action.text);
                // Shift+Insert: the value box's key filter swallows the "v" of Ctrl+V, as on the original.
                QTest::keyClick(handle, Qt::Key_Insert, Qt::ShiftModifier);
                break;
            case Action::Kind::Wheel: {
                QWidget* over = target(action.target);
                const QPointF local(over->width() / 2.0, over->height() / 2.0);
                QWheelEvent event(local, over->mapToGlobal(local), QPoint(), QPoint(0, action.delta),
                                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
                QApplication::sendEvent(over, &event);
                break;
            }
            case Action::Kind::Click: {
                QWidget* on = target(action.target);
                const QPoint at(std::max(0, on->width() * action.x / 1000 - 1),
                                std::max(0, on->height() * action.y / 1000 - 1));
                QTest::mouseClick(on, Qt::LeftButton, {}, at);
                break;
            }
            case Action::Kind::SetMessages:
                window_.messages.answerQuestions(action.answers);
                break;
        }
    }

    QLocale locale_{QLocale::English, QLocale::UnitedStates};
    test::WatchedBoard board_{0x80};
    test::WindowFixture window_{board_, {.locale = locale_}};
    QLineEdit* box_ = nullptr;
    ui::VbScrollBar* slider_ = nullptr;
    bool eepromPressed_ = false;
    std::optional<std::uint8_t> lastEepromWrite_;
    std::optional<QString> broken_;
};

}  // namespace

QString Action::describe() const {
    switch (kind) {
        case Kind::Key:
            return QStringLiteral("key %1").arg(QString::fromLatin1(kKeys[key].name));
        case Kind::Paste:
            return QStringLiteral("paste (%1)%2")
                .arg(text.isEmpty() ? QStringLiteral("empty") : codePoints(text),
                     target.isEmpty() ? QString() : QStringLiteral(" into ") + target);
        case Kind::Wheel:
            return QStringLiteral("wheel %1 over %2").arg(delta).arg(target);
        case Kind::Click:
            return QStringLiteral("click %1 at %2,%3").arg(target).arg(x).arg(y);
        case Kind::SetMessages:
            return QStringLiteral("answer questions %1").arg(answers, 32, 2, QLatin1Char('0'));
    }
    return {};
}

std::vector<Action> randomActions(std::uint64_t seed, int count) {
    std::mt19937_64 rng(seed);
    std::vector<Action> actions;
    actions.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        Action a;
        const int roll = static_cast<int>(rng() % 100);
        if (roll < 45) {
            a.kind = Action::Kind::Key;
            a.key = static_cast<int>(rng() % std::size(kKeys));
        } else if (roll < 60) {
            a.kind = Action::Kind::Paste;
            a.text = randomText(rng);
            // Most pastes go to the value box, clicked first as a user does; the rest to the focus.
            if (rng() % 3 != 0) {
                a.target = QStringLiteral("txtTest(0)");
            }
        } else if (roll < 70) {
            a.kind = Action::Kind::Wheel;
            a.target = QString::fromLatin1(wheelTargets[rng() % std::size(wheelTargets)]);
            const int deltas[] = {120, -120, 240, -360, 1, -1, 0, 32767, -32768, 60, -7};
            a.delta = deltas[rng() % std::size(deltas)];
        } else if (roll < 95) {
            a.kind = Action::Kind::Click;
            a.target = QString::fromLatin1(clickTargets[rng() % std::size(clickTargets)]);
            a.x = static_cast<int>(rng() % 1001);
            a.y = static_cast<int>(rng() % 1001);
        } else {
            a.kind = Action::Kind::SetMessages;
            a.answers = static_cast<std::uint32_t>(rng());
        }
        actions.push_back(a);
    }
    return actions;
}

std::optional<Failure> run(const std::vector<Action>& actions) {
    Session session;
    for (std::size_t i = 0; i < actions.size(); ++i) {
        if (auto broken = session.perform(actions[i])) {
            return Failure{static_cast<int>(i), *broken};
        }
    }
    return std::nullopt;
}

std::vector<Action> shrink(std::vector<Action> actions) {
    if (const auto failure = run(actions)) {
        actions.resize(static_cast<std::size_t>(failure->actionIndex) + 1);
    } else {
        return actions;
    }
    // Remove runs of actions, halving the run length whenever no run of that length can go.
    for (std::size_t chunk = std::max<std::size_t>(1, actions.size() / 2); chunk >= 1; chunk /= 2) {
        bool removed = true;
        while (removed) {
            removed = false;
            for (std::size_t start = 0; start + chunk <= actions.size(); start += chunk) {
                std::vector<Action> candidate = actions;
                candidate.erase(candidate.begin() + static_cast<std::ptrdiff_t>(start),
                                candidate.begin() + static_cast<std::ptrdiff_t>(start + chunk));
                if (const auto failure = run(candidate)) {
                    candidate.resize(static_cast<std::size_t>(failure->actionIndex) + 1);
                    actions = std::move(candidate);
                    removed = true;
                    break;
                }
            }
        }
        if (chunk == 1) {
            break;
        }
    }
    return actions;
}

std::optional<QString> check(std::uint64_t seed, int count) {
    const std::vector<Action> actions = randomActions(seed, count);
    const auto failure = run(actions);
    if (!failure) {
        return std::nullopt;
    }
    QString report = QStringLiteral("seed %1: after action %2 of %3: %4\n")
                         .arg(seed)
                         .arg(failure->actionIndex + 1)
                         .arg(count)
                         .arg(failure->invariant);
    const std::vector<Action> shortest = shrink(actions);
    const auto shortFailure = run(shortest);
    if (!shortFailure) {
        // Not repeatable (a slow moment of the machine): the action that broke it is all there is to show.
        report += QStringLiteral("did not fail again; the action was:\n  ") +
                  actions[static_cast<std::size_t>(failure->actionIndex)].describe() + QLatin1Char('\n');
        return report;
    }
    report +=
        QStringLiteral("shortest list (%1 actions): %2\n").arg(shortest.size()).arg(shortFailure->invariant);
    for (const Action& a : shortest) {
        report += QStringLiteral("  ") + a.describe() + QLatin1Char('\n');
    }
    return report;
}

}  // namespace vcm::monkey
