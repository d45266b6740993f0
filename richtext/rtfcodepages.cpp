#include "richtext/rtfcodepages.h"

namespace alambix::rtf {

namespace {
QByteArray codecName(int codePage) {
    switch (codePage) {
    case 932:
        return "windows-31j";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 10000:
        return "macintosh";
    case 10001:
        return "Shift_JIS";
    case 10007:
        return "x-mac-cyrillic";
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 65001:
        return "UTF-8";
    default:
        return "windows-" + QByteArray::number(codePage);
    }
}

bool isAscii(QByteArrayView bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}
} // namespace

int codePageOfCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0;
    }
}

bool isDoubleByte(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 ||
           codePage == 10001;
}

CodePages::Decoder& CodePages::decoder(int codePage) {
    auto it = m_decoders.find(codePage);
    if (it == m_decoders.end()) {
        Decoder d{QStringDecoder(codecName(codePage).constData())};
        if (!d.decoder.isValid()) d = {QStringDecoder("windows-1252"), false};
        it = m_decoders.emplace(codePage, std::move(d)).first;
    }
    return it->second;
}

QString CodePages::decode(QByteArrayView bytes, int codePage) {
    if (isAscii(bytes)) return QString::fromLatin1(bytes);
    QStringDecoder& d = decoder(codePage).decoder;
    QString decoded = d.decode(bytes);
    d.resetState();
    if (decoded.contains(QChar::ReplacementCharacter) && isDoubleByte(codePage))
        decoded = decodePairs(bytes, d);
    return decoded;
}

// A double-byte text with stray bytes: each pair that makes a character is one, every other
// byte is read as Windows-1252 (what word processors do with such bytes).
QString CodePages::decodePairs(QByteArrayView bytes, QStringDecoder& pairs) {
    QStringDecoder& single = decoder(1252).decoder;
    QString out;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            out += QLatin1Char(char(b));
            continue;
        }
        if (i + 1 < bytes.size()) {
            const QString pair = pairs.decode(bytes.sliced(i, 2));
            pairs.resetState();
            if (pair.size() == 1 && pair[0] != QChar::ReplacementCharacter) {
                out += pair;
                ++i;
                continue;
            }
        }
        out += single.decode(bytes.sliced(i, 1));
    }
    return out;
}

QString CodePages::decodeName(QByteArrayView bytes, int codePage) {
    Decoder& d = decoder(codePage);
    if (!d.known) return QString::fromLatin1(bytes);
    QString name = d.decoder.decode(bytes);
    d.decoder.resetState();
    return name;
}

} // namespace alambix::rtf
