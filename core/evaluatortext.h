#pragma once
// The expression text the evaluator rewrites, and its lexical helpers: a gap buffer, characters
// at 1-based positions, numbers, function codes and the shape of tokens. For the evaluator's
// steps only.

#include <QString>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

namespace alambix::evaluation {

// A run-time failure inside the evaluation; never leaves the evaluator.
struct RunTimeFailure {};

[[noreturn]] inline void fail() {
    throw RunTimeFailure{};
}

// Positions and counters are 16-bit: anything beyond is a failure, as an overflow would be.
inline int pos16(long long value) {
    if (value > 32767 || value < -32768) fail();
    return static_cast<int>(value);
}

inline int next16(int value) {
    return pos16(static_cast<long long>(value) + 1);
}

using Str = std::u16string;
using View = std::u16string_view;

// The expression while it is rewritten: a gap buffer, so that replacing a piece of text costs
// the distance from the previous replacement rather than the length of the whole text (the
// steps work their way through the text from one end to the other).
class Text {
public:
    Text() = default;
    explicit Text(Str text) { assign(std::move(text)); }

    int size() const { return static_cast<int>(m_buffer.size() - (m_gapEnd - m_gapStart)); }
    // The character at 0-based `index`, which must lie inside the text.
    char16_t operator[](int index) const {
        const auto i = static_cast<std::size_t>(index);
        return i < m_gapStart ? m_buffer[i] : m_buffer[i + (m_gapEnd - m_gapStart)];
    }
    Str str() const { return slice(0, size()); }
    // The `count` characters from 0-based `start`, both inside the text.
    Str slice(int start, int count) const {
        Str result;
        result.reserve(static_cast<std::size_t>(count));
        for (int i = start; i < start + count; ++i)
            result.push_back((*this)[i]);
        return result;
    }
    void assign(Str text) {
        m_buffer = std::move(text);
        m_gapStart = m_gapEnd = m_buffer.size();
    }
    // Replaces the `count` characters from 0-based `start` (fewer near the end) by `with`.
    void replace(int start, int count, View with) {
        const auto at = static_cast<std::size_t>(start);
        const std::size_t removed =
            std::min(static_cast<std::size_t>(count), static_cast<std::size_t>(size()) - at);
        moveGap(at);
        m_gapEnd += removed;
        if (m_gapEnd - m_gapStart < with.size()) {
            const std::size_t grow = with.size() + m_buffer.size() / 2 + 16;
            m_buffer.insert(m_gapEnd, grow, u' ');
            m_gapEnd += grow;
        }
        std::copy(with.begin(), with.end(), m_buffer.begin() + std::ptrdiff_t(m_gapStart));
        m_gapStart += with.size();
    }

private:
    void moveGap(std::size_t at) {
        char16_t* data = m_buffer.data();
        if (at < m_gapStart) {
            const std::size_t n = m_gapStart - at;
            std::memmove(data + m_gapEnd - n, data + at, n * sizeof(char16_t));
            m_gapStart = at;
            m_gapEnd -= n;
        } else if (at > m_gapStart) {
            const std::size_t n = at - m_gapStart;
            std::memmove(data + m_gapStart, data + m_gapEnd, n * sizeof(char16_t));
            m_gapStart += n;
            m_gapEnd += n;
        }
    }

    Str m_buffer;
    std::size_t m_gapStart = 0;
    std::size_t m_gapEnd = 0;
};

// The character at 1-based `position`; a null character beyond the end. A position below 1 is
// a failure.
inline char16_t charAt(const Text& text, int position) {
    if (position < 1) fail();
    return position <= text.size() ? text[position - 1] : u'\0';
}

// As charAt, but looking beyond the end is a failure too.
inline char16_t charAtStrict(const Text& text, int position) {
    if (position < 1 || position > text.size()) fail();
    return text[position - 1];
}

// Whether the characters at 1-based `position` are `pattern` (shorter text near the end never
// matches).
inline bool at(const Text& text, int position, std::string_view pattern) {
    if (position < 1) fail();
    const int start = position - 1;
    if (start + int(pattern.size()) > text.size()) return false;
    for (std::size_t i = 0; i < pattern.size(); ++i)
        if (text[start + int(i)] != char16_t(pattern[i])) return false;
    return true;
}

inline bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

inline bool isOperator(char16_t c) {
    return c == u'^' || c == u'/' || c == u'*' || c == u'-' || c == u'+';
}

// Upper case, blanks removed.
void upperAndUnblank(Str& text);

inline double checked(double value) {
    if (!std::isfinite(value)) fail();
    return value;
}

// Numbers read and written by the calculator's rules; a failure when they cannot be.
double readNumber(View text);
Str writeNumber(double value);

inline constexpr std::string_view functionCodes[] = {"COS", "SIN", "TAN", "ICO", "ISI",
                                                     "ITA", "LOG", "LON", "EXP", "SQR"};

inline constexpr char16_t operatorOrder[] = {u'^', u'/', u'*', u'-', u'+'};

inline bool functionCodeAt(const Text& text, int position) {
    const char16_t first = charAt(text, position);
    if (View(u"CSTILE").find(first) == View::npos || first == 0) return false;
    for (const std::string_view code : functionCodes)
        if (at(text, position, code)) return true;
    return false;
}

inline Str toStr(const QString& text) {
    return Str(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
}

inline QString toQString(View text) {
    return QString(reinterpret_cast<const QChar*>(text.data()), qsizetype(text.size()));
}

// Lexical shape of the texts the normalisation leaves unchanged, used to know when a piece of
// the text can be normalised on its own: blank-separated tokens, each an operator, a function
// code or a number, optionally behind opening parentheses and before closing ones (never both
// around a plain number, which the normalisation would unwrap), in an order that the
// normalisation keeps as it is.
enum class Token { Operator, Code, Number, Other };

Token classify(View token);

// Whether the tokens between the blanks at 0-based `from` and `to` have that shape; `atStart`
// when `from` is the text's first character, `atEnd` when `to` is its last.
bool stableTokens(const Text& t, int from, int to, bool atStart, bool atEnd);

inline bool plainStart(char16_t c) {
    return isDigit(c) || c == u'.' || (c >= u'A' && c <= u'Z');
}

} // namespace alambix::evaluation
