#include "app/flagfile.h"

#include "files/recordfile.h"
#include "files/safewrite.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace alambix {

bool writeFlagFile(const QString& folder, const QString& text) {
    constexpr int flagRecord = 12;
    const QString path = QDir(folder).filePath(QStringLiteral("TEMPO.SPC"));
    // The other records belong to the rest of the package: they are copied as they are, and
    // the whole file is replaced only once the new one is safely written.
    QByteArray bytes;
    if (QFileInfo::exists(path)) {
        QFile old(path);
        if (!old.open(QIODevice::ReadOnly)) return false;
        bytes = old.readAll();
        if (old.error() != QFileDevice::NoError) return false;
    }
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadWrite) || !writeRecord(buffer, flagRecord, text)) return false;
    buffer.close();
    return writeFileSafely(path, bytes) == WriteOutcome::Written;
}

} // namespace alambix
