#include "app/flagfile.h"

#include "files/recordfile.h"

#include <QDir>
#include <QFile>

namespace alambix {

bool writeFlagFile(const QString& folder, const QString& text) {
    constexpr int flagRecord = 12;
    QFile file(QDir(folder).filePath(QStringLiteral("TEMPO.SPC")));
    // ReadWrite creates the file when missing and never truncates it.
    if (!file.open(QIODevice::ReadWrite)) return false;
    const bool written = writeRecord(file, flagRecord, text);
    return file.flush() && written;
}

} // namespace alambix
