#pragma once
// Splits the bytes of a rich-text document into its tokens.

#include <QByteArrayView>
#include <QtGlobal>

#include <optional>
#include <string_view>

namespace alambix::rtf {

struct Token {
    enum class Kind : quint8 {
        End,           // no more bytes
        GroupOpen,     // {
        GroupClose,    // }
        ControlWord,   // \ then letters, an optional signed number, an optional space
        LongWord,      // a control word of more letters than any word has: ignored
        ControlSymbol, // \ then one character that is not a letter
        HexByte,       // \'hh: one byte of text
        Text,          // bytes up to the next brace, backslash or line end
    };
    Kind kind = Kind::End;
    std::string_view text; // the word's letters; the text's bytes
    int parameter = 0;     // the word's number (cut to the range of int); the byte of \'hh, -1
                           // when its two characters are no hex digits
    bool hasParameter = false;
    char symbol = 0; // the character of a control symbol
};

// The value of a hexadecimal digit, -1 for any other byte.
int hexDigit(char h);

// The longest control word read, in letters, and the digits of its number that count.
constexpr int maxWordLength = 32;
constexpr int maxParameterDigits = 10;

// Line ends in the bytes are not tokens: they are passed over.
class Tokenizer {
public:
    explicit Tokenizer(QByteArrayView bytes)
        : m_p(bytes.data()), m_end(bytes.data() + bytes.size()) {}

    // The next token; passed over often, it is read here, in line.
    Token next() {
        while (m_p < m_end) {
            const char c = *m_p;
            if (c == '{' || c == '}') {
                ++m_p;
                Token token;
                token.kind = c == '{' ? Token::Kind::GroupOpen : Token::Kind::GroupClose;
                return token;
            }
            if (c == '\\') {
                ++m_p;
                if (m_p >= m_end) break;
                return control();
            }
            if (c == '\r' || c == '\n') {
                ++m_p;
                continue;
            }
            const char* start = m_p;
            while (m_p < m_end && *m_p != '{' && *m_p != '}' && *m_p != '\\' && *m_p != '\r' &&
                   *m_p != '\n')
                ++m_p;
            Token token;
            token.kind = Token::Kind::Text;
            token.text = std::string_view(start, std::size_t(m_p - start));
            return token;
        }
        return {};
    }

    // Moves to the '}' that closes the current group, leaving it to be read.
    void skipGroup();

    // The `count` raw bytes that follow \binN. When fewer are left, nothing: the reading ends
    // there.
    std::optional<QByteArrayView> binary(qint64 count);

private:
    Token control(); // after a backslash
    Token controlWord();
    Token controlSymbol();

    const char* m_p;
    const char* m_end;
};

} // namespace alambix::rtf
