#include "core/evaluatortext.h"

#include "core/blanks.h"
#include "core/numberformat.h"

#include <QChar>

#include <optional>

namespace alambix::evaluation {

void upperAndUnblank(Str& text) {
    std::size_t kept = 0;
    for (const char16_t c : text) {
        if (c == u' ') continue;
        // Character by character, so that positions never move.
        text[kept++] = c < 128 ? (c >= u'a' && c <= u'z' ? char16_t(c - 32) : c)
                               : QChar(c).toUpper().unicode();
    }
    text.resize(kept);
}

double readNumber(View text) {
    const std::optional<double> value =
        lirenombre(QStringView(text.data(), qsizetype(text.size())));
    if (!value) fail();
    return *value;
}

Str writeNumber(double value) {
    const QString text = trimBlanks(ecrirenombre(checked(value)));
    return Str(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size()));
}

Token classify(View token) {
    if (token.size() == 1 && isOperator(token[0])) return Token::Operator;
    std::size_t i = 0;
    while (i < token.size() && token[i] == u'(')
        ++i;
    const bool opened = i > 0;
    const View rest = token.substr(i);
    for (const std::string_view code : functionCodes)
        if (rest.size() == 3 && rest[0] == char16_t(code[0]) && rest[1] == char16_t(code[1]) &&
            rest[2] == char16_t(code[2]))
            return Token::Code;
    if (i < token.size() && token[i] == u'-') ++i;
    const std::size_t digits = i;
    while (i < token.size() && (isDigit(token[i]) || token[i] == u'.'))
        ++i;
    if (i == digits) return Token::Other;
    if (i < token.size() && (token[i] == u'E' || token[i] == u'D')) {
        ++i;
        if (i < token.size() && (token[i] == u'+' || token[i] == u'-')) ++i;
        const std::size_t exponent = i;
        while (i < token.size() && isDigit(token[i]))
            ++i;
        if (i == exponent) return Token::Other;
    }
    const std::size_t closing = i;
    while (i < token.size() && token[i] == u')')
        ++i;
    if (i != token.size() || (opened && i > closing)) return Token::Other;
    return Token::Number;
}

// Whether the tokens between the blanks at 0-based `from` and `to` have that shape; `atStart`
// when `from` is the text's first character, `atEnd` when `to` is its last.
bool stableTokens(const Text& t, int from, int to, bool atStart, bool atEnd) {
    if (t[from] != u' ' || t[to] != u' ') return false;
    Token previous = Token::Other;
    char16_t previousOperator = 0;
    bool first = true;
    Str token;
    for (int i = from + 1; i <= to; ++i) {
        if (t[i] != u' ') {
            token.push_back(t[i]);
            continue;
        }
        if (token.empty()) return false; // two blanks in a row
        const Token kind = classify(token);
        if (kind == Token::Other) return false;
        if (first && atStart && kind == Token::Operator && (token[0] == u'+' || token[0] == u'-'))
            return false;
        if (!first) {
            if (previous == Token::Operator && kind == Token::Operator) return false;
            if (previous == Token::Operator && kind == Token::Number && token[0] == u'-' &&
                (previousOperator == u'+' || previousOperator == u'-'))
                return false;
            if (previous == Token::Code && kind == Token::Operator) return false;
            if (previous == Token::Number && kind != Token::Operator) return false;
        }
        previous = kind;
        previousOperator = kind == Token::Operator ? token[0] : 0;
        first = false;
        token.clear();
    }
    if (atEnd && !first && previous == Token::Code) return false;
    return true;
}

} // namespace alambix::evaluation
