#include "core/safewrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace alambix {

namespace {
// The file a path names, links followed; the path itself when nothing is there yet.
QString resolvedTarget(const QString& path) {
    const QFileInfo info(path);
    if (!info.isSymLink()) return path;
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.symLinkTarget() : canonical;
}

// Creates a new, empty file next to `target` that no one else has; -1 on failure.
int createSibling(const QString& target, QByteArray& name) {
    const QFileInfo info(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate =
            info.absolutePath() + QStringLiteral("/.") + info.fileName() +
            QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16,
                                          QLatin1Char('0'));
        name = QFile::encodeName(candidate);
        const int fd = ::open(name.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// A file that remembers a failed write: QFile forgets its error on the next seek, and the
// writers of some formats never look at what a write returned.
class CheckedFile : public QFile {
public:
    bool failed() const { return m_failed || error() != QFileDevice::NoError; }

protected:
    qint64 writeData(const char* data, qint64 length) override {
        const qint64 written = QFile::writeData(data, length);
        if (written != length) m_failed = true;
        return written;
    }

private:
    bool m_failed = false;
};

// Syncs the folder so that the rename itself survives a crash; a folder that cannot be synced
// does not make the write fail, the file itself is already on disk.
void syncFolderOf(const QByteArray& name) {
    const qsizetype slash = name.lastIndexOf('/');
    const QByteArray folder = slash <= 0 ? QByteArray("/") : name.left(slash);
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}
} // namespace

bool writeAll(QIODevice& device, const QByteArray& bytes) {
    return device.write(bytes) == bytes.size();
}

WriteOutcome writeFileSafely(const QString& path, const DeviceWriter& write) {
    if (path.isEmpty()) return WriteOutcome::Failed;
    const QString target = resolvedTarget(path);
    const QByteArray targetName = QFile::encodeName(target);

    struct stat old {};
    const bool replacing = ::stat(targetName.constData(), &old) == 0;
    if (replacing && (!S_ISREG(old.st_mode) || ::access(targetName.constData(), W_OK) != 0))
        return WriteOutcome::Refused;

    QByteArray tempName;
    const int fd = createSibling(target, tempName);
    if (fd < 0) return WriteOutcome::Failed;

    bool ok = true;
    {
        CheckedFile file;
        // Unbuffered: every write reaches the file at once, and its failure is seen at once.
        ok = file.open(fd, QIODevice::ReadWrite | QIODevice::Unbuffered,
                       QFileDevice::DontCloseHandle);
        ok = ok && write(file);
        ok = ok && file.flush() && !file.failed();
        file.close();
    }
    if (ok && replacing) {
        // Keeps the owner and group where the system allows it (root may; a normal user cannot
        // give a file away), then the mode, which a change of owner may have cleared in part.
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)!::fchown(fd, old.st_uid, old.st_gid);
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(tempName.constData(), targetName.constData()) == 0;
    if (!ok) {
        ::unlink(tempName.constData());
        return WriteOutcome::Failed;
    }
    syncFolderOf(targetName);
    return WriteOutcome::Written;
}

WriteOutcome writeFileSafely(const QString& path, const QByteArray& bytes) {
    return writeFileSafely(path, [&bytes](QIODevice& device) { return writeAll(device, bytes); });
}

} // namespace alambix
