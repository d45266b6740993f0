// The flag file's record 12 written into any old file: every byte outside the record stays as it
// was, a short file is extended with zeros, the record reads back the text, and a text that cannot
// be written leaves the file exactly as it was.
#include "core/flagfile.h"
#include "core/recordfile.h"

#include <QBuffer>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The text (UTF-16, its length in the first byte), then the old file.
    if (size < 1) return 0;
    const std::size_t textBytes = std::min<std::size_t>(data[0] * 2u, size - 1);
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(data + 1),
                                            static_cast<qsizetype>(textBytes / 2));
    const QByteArray old(reinterpret_cast<const char*>(data + 1 + textBytes),
                         static_cast<qsizetype>(size - 1 - textBytes));

    const std::optional<QByteArray> written = alambix::flagFileBytes(old, text);
    const auto encoded = alambix::toWindows1252(text);
    const bool fits = encoded && encoded->size() <= alambix::RecordTextMax;
    if (written.has_value() != fits) std::abort();
    if (!written) return 0;
    constexpr qsizetype start = 11 * alambix::RecordSize, end = start + alambix::RecordSize;
    if (written->size() != std::max(old.size(), end)) std::abort();
    if (written->left(std::min(start, old.size())) != old.left(start)) std::abort();
    if (old.size() < start &&
        written->mid(old.size(), start - old.size()) != QByteArray(start - old.size(), '\0'))
        std::abort();
    if (written->mid(end) != old.mid(end)) std::abort();
    QByteArray copy = *written;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    if (alambix::readRecord(buffer, 12) != text) std::abort();
    return 0;
}
