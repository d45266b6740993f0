#include "core/flagfile.h"

#include "core/recordfile.h"
#include "core/safewrite.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace alambix {

std::optional<QByteArray> flagFileBytes(const QByteArray& old, const QString& text) {
    constexpr int flagRecord = 12;
    QByteArray bytes = old;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadWrite) || !writeRecord(buffer, flagRecord, text))
        return std::nullopt;
    buffer.close();
    return bytes;
}

bool writeFlagFile(const QString& folder, const QString& text) {
    const QString path = QDir(folder).filePath(QStringLiteral("TEMPO.SPC"));
    // The other records belong to the rest of the package: they are copied as they are, and
    // the whole file is replaced only once the new one is safely written.
    QByteArray old;
    if (QFileInfo::exists(path)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) return false;
        old = file.readAll();
        if (file.error() != QFileDevice::NoError) return false;
    }
    const std::optional<QByteArray> bytes = flagFileBytes(old, text);
    return bytes && writeFileSafely(path, *bytes) == WriteOutcome::Written;
}

} // namespace alambix
