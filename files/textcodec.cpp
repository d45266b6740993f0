#include "files/textcodec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace alambix {

namespace {
constexpr char codePage[] = "windows-1252";
} // namespace

std::optional<QByteArray> toWindows1252(const QString& text) {
    QStringEncoder encoder(codePage);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.isValid() || encoder.hasError()) return std::nullopt;
    // ICU writes a lone surrogate as a substitute byte without reporting it: a text is only
    // written when it reads back as it was.
    if (fromWindows1252(bytes) != text) return std::nullopt;
    return bytes;
}

QString fromWindows1252(const QByteArray& bytes) {
    QStringDecoder decoder(codePage);
    return decoder.decode(bytes);
}

} // namespace alambix
