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

// A file to be written: where it goes, links followed, and the file it replaces, if any.
struct Target {
    QByteArray name;
    struct stat old {};
    bool replacing = false;
    bool refused = false; // a folder or another non-regular file, or one we may not write
};

Target targetOf(const QString& path) {
    Target target;
    target.name = QFile::encodeName(resolvedTarget(path));
    target.replacing = ::stat(target.name.constData(), &target.old) == 0;
    target.refused = target.replacing &&
                     (!S_ISREG(target.old.st_mode) || ::access(target.name.constData(), W_OK) != 0);
    return target;
}

// Writes the new content into a fresh file beside the target, checked at every step, synced and
// closed, with the mode (and where allowed the owner) of the file it replaces. Its name; empty
// when a step failed, and then nothing is left behind.
QByteArray writeBeside(const Target& target, const DeviceWriter& write) {
    QByteArray tempName;
    const int fd = createSibling(QFile::decodeName(target.name), tempName);
    if (fd < 0) return {};

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
    if (ok && target.replacing) {
        // Keeps the owner and group where the system allows it (root may; a normal user cannot
        // give a file away), then the mode, which a change of owner may have cleared in part.
        const struct stat& old = target.old;
        if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
            (void)!::fchown(fd, old.st_uid, old.st_gid);
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    ok = ::fsync(fd) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (!ok) {
        ::unlink(tempName.constData());
        return {};
    }
    return tempName;
}

// A second name for the file at `name`, beside it: a hard link, so that the file stays in place
// meanwhile; where the file system has no links, the file itself moves there. Empty on failure.
QByteArray keepOld(const QByteArray& name) {
    const QFileInfo info(QFile::decodeName(name));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray kept =
            QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                              QStringLiteral(".%1.old").arg(QRandomGenerator::global()->generate(),
                                                            8, 16, QLatin1Char('0')));
        if (::link(name.constData(), kept.constData()) == 0) return kept;
        if (errno == EEXIST) continue;
        return ::rename(name.constData(), kept.constData()) == 0 ? kept : QByteArray();
    }
    return {};
}
} // namespace

bool writeAll(QIODevice& device, const QByteArray& bytes) {
    return device.write(bytes) == bytes.size();
}

WriteOutcome writeFileSafely(const QString& path, const DeviceWriter& write) {
    return writeFilesSafely({FileToWrite{path, write}});
}

WriteOutcome writeFilesSafely(const std::vector<FileToWrite>& files) {
    std::vector<Target> targets;
    targets.reserve(files.size());
    for (const FileToWrite& file : files) {
        if (file.path.isEmpty()) return WriteOutcome::Failed;
        targets.push_back(targetOf(file.path));
        if (targets.back().refused) return WriteOutcome::Refused;
    }
    std::vector<QByteArray> written;
    written.reserve(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        written.push_back(writeBeside(targets[i], files[i].write));
        if (written.back().isEmpty()) {
            for (const QByteArray& name : written)
                if (!name.isEmpty()) ::unlink(name.constData());
            return WriteOutcome::Failed;
        }
    }
    // Each old file stays under a second name until every new one is in place, so that a
    // replacement failing half-way can put every old file back. One file alone needs none: its
    // rename either happens or leaves the old file.
    const bool keepsOld = files.size() > 1;
    std::vector<QByteArray> kept(files.size());
    std::size_t placed = 0;
    bool ok = true;
    for (; placed < files.size(); ++placed) {
        const Target& target = targets[placed];
        if (keepsOld && target.replacing) {
            kept[placed] = keepOld(target.name);
            if (kept[placed].isEmpty()) {
                ok = false;
                break;
            }
        }
        if (::rename(written[placed].constData(), target.name.constData()) != 0) {
            ok = false;
            break;
        }
    }
    if (!ok) {
        for (std::size_t i = 0; i <= placed && i < files.size(); ++i) {
            if (!kept[i].isEmpty())
                ::rename(kept[i].constData(), targets[i].name.constData());
            else if (i < placed)
                ::unlink(targets[i].name.constData());
        }
        for (std::size_t i = placed; i < files.size(); ++i)
            ::unlink(written[i].constData());
        return WriteOutcome::Failed;
    }
    for (const QByteArray& name : kept)
        if (!name.isEmpty()) ::unlink(name.constData());
    for (const Target& target : targets)
        syncFolderOf(target.name);
    return WriteOutcome::Written;
}

WriteOutcome writeFileSafely(const QString& path, const QByteArray& bytes) {
    return writeFileSafely(path, [&bytes](QIODevice& device) { return writeAll(device, bytes); });
}

} // namespace alambix
