#include "station/report/JsonLine.h"

#include <charconv>
#include <cmath>

namespace vcm::station::report {

namespace {

/// Nesting deeper than this is refused rather than followed down the stack.
constexpr int kDeepest = 512;

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

int hexDigit(char c) {
    if (isDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

/// The length of the well-formed UTF-8 sequence at the start of `bytes`, or 0 when it is not one
/// (overlong forms, surrogates and values beyond U+10FFFF are not).
qsizetype utf8Length(QByteArrayView bytes) {
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    qsizetype length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() < length || byte(1) < low || byte(1) > high) {
        return 0;
    }
    for (qsizetype i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF) {
            return 0;
        }
    }
    return length;
}

/// Checked UTF-8 as text. QString::fromUtf8 drops a byte-order mark at the start; inside a JSON string it
/// is a character like any other.
QString utf8Text(QByteArrayView bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return QChar(0xFEFF) + QString::fromUtf8(bytes.sliced(3));
    }
    return QString::fromUtf8(bytes);
}

class Scanner {
  public:
    using Slot = std::function<JsonValue*(QStringView)>;

    explicit Scanner(QByteArrayView text) : text_(text) {}

    std::optional<QString> object(const Slot& slot) {
        if (text_.startsWith("\xEF\xBB\xBF")) {
            at_ = 3;  // a byte-order mark, as an editor may write before the first line
        }
        space();
        if (!peek('{')) {
            return QStringLiteral("not a JSON object");
        }
        if (!members(0, &slot)) {
            return problem_;
        }
        space();
        if (at_ < text_.size()) {
            return problem("text after the object");
        }
        return std::nullopt;
    }

  private:
    void space() {
        while (at_ < text_.size() &&
               (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r')) {
            ++at_;
        }
    }
    bool peek(char c) const { return at_ < text_.size() && text_[at_] == c; }

    /// Remembers why the text is not JSON and where: at the current character, or after the last one.
    QString problem(const char* what) {
        problem_ =
            at_ >= text_.size()
                ? QStringLiteral("not JSON (cut short after character %1)").arg(text_.size())
                : QStringLiteral("not JSON (%1 at character %2)").arg(QLatin1StringView(what)).arg(at_ + 1);
        return problem_;
    }
    bool fail(const char* what) {
        problem(what);
        return false;
    }

    /// Reads the value at the current character (after white space) into `out`, or checks it alone when
    /// `out` is null.
    bool value(int depth, JsonValue* out) {
        space();
        if (at_ >= text_.size()) {
            return fail("a value expected");
        }
        const char c = text_[at_];
        if (c == '"') {
            if (out) {
                out->type = JsonValue::Type::String;
            }
            return string(out && out->decode ? &out->text : nullptr);
        }
        if (c == '-' || isDigit(c)) {
            if (out) {
                out->type = JsonValue::Type::Number;
            }
            return number(out ? &out->number : nullptr);
        }
        if (c == '{' || c == '[') {
            if (depth >= kDeepest) {
                return fail("nested too deeply");
            }
            if (c == '[') {
                return array(depth, out);
            }
            if (out) {
                out->type = JsonValue::Type::Object;
            }
            return members(depth, nullptr);
        }
        for (const auto& [word, type] :
             {std::pair{"true", JsonValue::Type::True}, std::pair{"false", JsonValue::Type::False},
              std::pair{"null", JsonValue::Type::Null}}) {
            if (text_.sliced(at_).startsWith(word)) {
                at_ += static_cast<qsizetype>(std::char_traits<char>::length(word));
                if (out) {
                    out->type = type;
                }
                return true;
            }
        }
        return fail("a value expected");
    }

    /// An object at its brace: its members' values read into the slots `slot` gives, or all checked
    /// alone when it is null.
    bool members(int depth, const Slot* slot) {
        ++at_;
        space();
        if (peek('}')) {
            ++at_;
            return true;
        }
        for (;;) {
            if (!peek('"')) {
                return fail("a key expected");
            }
            if (!string(slot ? &key_ : nullptr)) {
                return false;
            }
            space();
            if (!peek(':')) {
                return fail("':' expected");
            }
            ++at_;
            if (!value(depth + 1, slot ? (*slot)(key_) : nullptr)) {
                return false;
            }
            space();
            if (peek(',')) {
                ++at_;
                space();
            } else if (peek('}')) {
                ++at_;
                return true;
            } else {
                return fail("',' or '}' expected");
            }
        }
    }

    /// An array: its values checked, and counted into `out`.
    bool array(int depth, JsonValue* out) {
        ++at_;
        qsizetype items = 0;
        space();
        if (peek(']')) {
            ++at_;
        } else {
            for (;;) {
                if (!value(depth + 1, nullptr)) {
                    return false;
                }
                ++items;
                space();
                if (peek(',')) {
                    ++at_;
                } else if (peek(']')) {
                    ++at_;
                    break;
                } else {
                    return fail("',' or ']' expected");
                }
            }
        }
        if (out) {
            out->type = JsonValue::Type::Array;
            out->items = items;
        }
        return true;
    }

    /// A string at its opening quote, decoded into `text` when it is given (its capacity kept).
    bool string(QString* text) {
        ++at_;
        if (text) {
            text->resize(0);
        }
        qsizetype run = at_;  // the start of the characters not yet decoded
        bool ascii = true;    // whether they are ASCII alone, as keys and most values are
        const auto flush = [&](qsizetype end) {
            if (text) {
                const QByteArrayView plain = text_.sliced(run, end - run);
                if (ascii) {
                    text->append(QLatin1StringView(plain));
                } else {
                    text->append(utf8Text(plain));
                }
            }
        };
        while (at_ < text_.size()) {
            const auto c = static_cast<unsigned char>(text_[at_]);
            if (c == '"') {
                flush(at_);
                ++at_;
                return true;
            }
            if (c < 0x20) {
                return fail("a control character in a string");
            }
            if (c >= 0x80) {
                const qsizetype length = utf8Length(text_.sliced(at_));
                if (length == 0) {
                    return fail("bad UTF-8 in a string");
                }
                ascii = false;
                at_ += length;
                continue;
            }
            if (c != '\\') {
                ++at_;
                continue;
            }
            flush(at_);
            if (!escape(text)) {
                return false;
            }
            run = at_;
            ascii = true;
        }
        return fail("the string's end expected");
    }

    /// An escape at its backslash. Each is one UTF-16 unit: a pair of them makes a character beyond the
    /// first plane, as in UTF-16 itself.
    bool escape(QString* text) {
        ++at_;
        if (at_ >= text_.size()) {
            return fail("an escape expected");
        }
        char16_t unit = 0;
        switch (text_[at_]) {
            case '"':
            case '\\':
            case '/':
                unit = static_cast<char16_t>(text_[at_]);
                break;
            case 'b':
                unit = u'\b';
                break;
            case 'f':
                unit = u'\f';
                break;
            case 'n':
                unit = u'\n';
                break;
            case 'r':
                unit = u'\r';
                break;
            case 't':
                unit = u'\t';
                break;
            case 'u':
                for (qsizetype i = 1; i <= 4; ++i) {
                    const int digit = at_ + i < text_.size() ? hexDigit(text_[at_ + i]) : -1;
                    if (digit < 0) {
                        at_ = std::min(at_ + i, text_.size());
                        return fail("four hex digits expected");
                    }
                    unit = static_cast<char16_t>(unit * 16 + digit);
                }
                at_ += 4;
                break;
            default:
                return fail("an escape expected");
        }
        ++at_;
        if (text) {
            text->append(QChar(unit));
        }
        return true;
    }

    /// A number as JSON writes it: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?, finite as a double.
    bool number(double* out) {
        const qsizetype begin = at_;
        const auto digits = [&] {
            const qsizetype from = at_;
            while (at_ < text_.size() && isDigit(text_[at_])) {
                ++at_;
            }
            return at_ > from;
        };
        if (peek('-')) {
            ++at_;
        }
        if (peek('0')) {
            ++at_;
        } else if (!digits()) {
            return fail("a digit expected");
        }
        if (peek('.')) {
            ++at_;
            if (!digits()) {
                return fail("a digit expected");
            }
        }
        if (peek('e') || peek('E')) {
            ++at_;
            if (peek('+') || peek('-')) {
                ++at_;
            }
            if (!digits()) {
                return fail("a digit expected");
            }
        }
        double value = 0.0;
        const char* first = text_.data() + begin;
        const auto [end, error] = std::from_chars(first, text_.data() + at_, value);
        if (error != std::errc() || end != text_.data() + at_ || !std::isfinite(value)) {
            at_ = begin;
            return fail("a number out of range");
        }
        if (out) {
            *out = value;
        }
        return true;
    }

    QByteArrayView text_;
    qsizetype at_ = 0;
    QString problem_;
    QString key_;
};

}  // namespace

std::optional<QString> readJsonObject(QByteArrayView line,
                                      const std::function<JsonValue*(QStringView key)>& slot) {
    return Scanner(line).object(slot);
}

}  // namespace vcm::station::report
