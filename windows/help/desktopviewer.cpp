#include "windows/help/desktopviewer.h"

#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>

namespace alambix {

QString desktopViewerFor(const QString& path) {
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (type.isEmpty() || xdgMime.isEmpty()) return QString();
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(3000) || query.exitStatus() != QProcess::NormalExit ||
        query.exitCode() != 0) {
        query.kill();
        return QString();
    }
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed();
}

} // namespace alambix
