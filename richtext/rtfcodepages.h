#pragma once
// The code pages of rich-text documents, decoded through Qt's converters.

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <map>

namespace alambix::rtf {

// The code page of a font's \fcharset; 0 when the document's own (\ansicpg) applies.
int codePageOfCharset(int charset);

// The code pages whose characters may take two bytes.
bool isDoubleByte(int codePage);

// Decoders by code page, each opened once.
class CodePages {
public:
    // Text in `codePage` (Windows-1252 when it is none Qt knows). In a double-byte code page,
    // a byte that starts no character is read as Windows-1252.
    QString decode(QByteArrayView bytes, int codePage);
    // A font's name in `codePage` (Latin-1 when it is none Qt knows).
    QString decodeName(QByteArrayView bytes, int codePage);

private:
    struct Decoder {
        QStringDecoder decoder; // Windows-1252 when the code page is none Qt knows
        bool known = true;
    };
    Decoder& decoder(int codePage);
    QString decodePairs(QByteArrayView bytes, QStringDecoder& decoder);

    std::map<int, Decoder> m_decoders;
};

} // namespace alambix::rtf
