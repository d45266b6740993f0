#include "core/programfolder.h"

#include <QDir>
#include <QFileInfo>

#ifndef ALAMBIX_DATA_FROM_BIN
#define ALAMBIX_DATA_FROM_BIN "../share/alambix"
#endif

namespace alambix {

QString installedDataFolder(const QString& programFolder) {
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral(ALAMBIX_DATA_FROM_BIN)));
}

QString findInProgramFolder(const QString& programFolder, const QString& name) {
    const QString beside = QDir(programFolder).filePath(name);
    if (QFileInfo::exists(beside)) return beside;
    const QString installed = QDir(installedDataFolder(programFolder)).filePath(name);
    return QFileInfo::exists(installed) ? installed : beside;
}

} // namespace alambix
