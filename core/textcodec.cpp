#include "core/textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <utility>
#include <vector>

namespace alambix {

namespace {
constexpr char codePage[] = "windows-1252";

// Windows-1252 is ASCII below 0x80: such a text needs no converter (opening ICU's costs the
// program's start, which writes the flag file, about 2.5 MiB of memory).
bool isAscii(QStringView text) {
    for (const QChar c : text)
        if (c.unicode() >= 0x80) return false;
    return true;
}

bool isAscii(const QByteArray& bytes) {
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}
} // namespace

std::optional<QByteArray> toWindows1252(const QString& text) {
    if (isAscii(text)) return text.toLatin1();
    QStringEncoder encoder(codePage);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError()) return std::nullopt;
    // ICU writes a lone surrogate as a substitute byte without reporting it: a text is only
    // written when it reads back as it was.
    if (fromWindows1252(bytes) != text) return std::nullopt;
    return bytes;
}

QString fromWindows1252(const QByteArray& bytes) {
    if (isAscii(bytes)) return QString::fromLatin1(bytes);
    QStringDecoder decoder(codePage);
    return decoder.decode(bytes);
}

std::optional<char> windows1252Byte(char16_t c) {
    if (c < 0x80) return char(c);
    // The bytes from 0x80 by the character each stands for, sorted by character.
    using Entry = std::pair<char16_t, char>;
    static const std::vector<Entry> upper = [] {
        QByteArray bytes;
        for (int b = 0x80; b <= 0xFF; ++b)
            bytes.append(char(b));
        const QString chars = fromWindows1252(bytes);
        std::vector<Entry> entries;
        if (chars.size() == bytes.size())
            for (qsizetype i = 0; i < chars.size(); ++i)
                if (chars[i] != QChar::ReplacementCharacter)
                    entries.emplace_back(chars[i].unicode(), bytes[i]);
        std::sort(entries.begin(), entries.end());
        return entries;
    }();
    const auto it =
        std::lower_bound(upper.begin(), upper.end(), Entry(c, 0),
                         [](const Entry& a, const Entry& b) { return a.first < b.first; });
    if (it == upper.end() || it->first != c) return std::nullopt;
    return it->second;
}

QString unencodableInWindows1252(const QString& text) {
    QString found;
    if (isAscii(text)) return found;
    for (qsizetype i = 0; i < text.size();) {
        // A whole character: a surrogate pair is one.
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        const QString character = text.mid(i, length);
        i += length;
        if (character.at(0).unicode() >= 0x80 && !found.contains(character) &&
            !toWindows1252(character))
            found += character;
    }
    return found;
}

} // namespace alambix
