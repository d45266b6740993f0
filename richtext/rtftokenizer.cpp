#include "richtext/rtftokenizer.h"

#include <algorithm>

namespace alambix::rtf {

namespace {
bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

Token token(Token::Kind kind, std::string_view text = {}) {
    Token t;
    t.kind = kind;
    t.text = text;
    return t;
}
} // namespace

int hexDigit(char h) {
    if (h >= '0' && h <= '9') return h - '0';
    if (h >= 'a' && h <= 'f') return h - 'a' + 10;
    if (h >= 'A' && h <= 'F') return h - 'A' + 10;
    return -1;
}

Token Tokenizer::control() {
    return isLetter(*m_p) ? controlWord() : controlSymbol();
}

Token Tokenizer::controlWord() {
    const char* start = m_p;
    while (m_p < m_end && isLetter(*m_p))
        ++m_p;
    Token word = token(Token::Kind::ControlWord, std::string_view(start, std::size_t(m_p - start)));
    bool negative = false;
    qint64 value = 0;
    if (m_p < m_end && *m_p == '-' && m_p + 1 < m_end && isDigit(m_p[1])) {
        negative = true;
        ++m_p;
    }
    int digits = 0;
    while (m_p < m_end && isDigit(*m_p)) {
        if (digits < maxParameterDigits) value = value * 10 + (*m_p - '0');
        ++digits;
        ++m_p;
        word.hasParameter = true;
    }
    if (m_p < m_end && *m_p == ' ') ++m_p;
    word.parameter = int(std::clamp<qint64>(negative ? -value : value, -2147483647, 2147483647));
    if (word.text.size() > std::size_t(maxWordLength)) word.kind = Token::Kind::LongWord;
    return word;
}

Token Tokenizer::controlSymbol() {
    const char c = *m_p++;
    if (c != '\'') {
        Token symbol = token(Token::Kind::ControlSymbol);
        symbol.symbol = c;
        return symbol;
    }
    if (m_end - m_p < 2) {
        m_p = m_end;
        return {};
    }
    const int hi = hexDigit(m_p[0]), lo = hexDigit(m_p[1]);
    m_p += 2;
    Token hex = token(Token::Kind::HexByte);
    hex.parameter = hi >= 0 && lo >= 0 ? hi * 16 + lo : -1;
    return hex;
}

void Tokenizer::skipGroup() {
    int depth = 0;
    while (m_p < m_end) {
        const char c = *m_p;
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (depth == 0) return;
            --depth;
        } else if (c == '\\') {
            ++m_p;
            if (m_p >= m_end) return;
            if (*m_p == 'b' && m_end - m_p > 3 && m_p[1] == 'i' && m_p[2] == 'n' &&
                (m_p[3] == '-' || isDigit(m_p[3]))) {
                // \binN in skipped text still hides N raw bytes.
                m_p += 3;
                qint64 n = 0;
                int digits = 0;
                const bool negative = *m_p == '-';
                if (negative) ++m_p;
                while (m_p < m_end && isDigit(*m_p) && digits < maxParameterDigits) {
                    n = n * 10 + (*m_p - '0');
                    ++m_p, ++digits;
                }
                if (m_p < m_end && *m_p == ' ') ++m_p;
                if (negative || n > m_end - m_p) {
                    m_p = m_end;
                    return;
                }
                m_p += n;
                continue;
            }
        }
        ++m_p;
    }
}

std::optional<QByteArrayView> Tokenizer::binary(qint64 count) {
    if (count < 0 || count > m_end - m_p) {
        m_p = m_end;
        return std::nullopt;
    }
    const QByteArrayView bytes(m_p, count);
    m_p += count;
    return bytes;
}

} // namespace alambix::rtf
