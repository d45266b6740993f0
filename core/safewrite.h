#pragma once
// The one way the program writes a file: the new content goes into a fresh file next to the
// target, is checked at every step (open, each write, flush, sync, close) and only then takes
// the target's place in one rename. A failure at any step leaves the old file byte for byte as it
// was and no stray file behind.
//
// A file the user may not write is refused, as the system's own tools would refuse it: for a
// normal user that is a file without write permission for them; root may write any file. The
// replacement keeps the mode of the file it replaces (and its owner and group where the system
// allows), so saving never changes a file's permissions behind the user's back. A new file gets
// the usual mode (0666 less the umask). A symbolic link is followed: its target is replaced and
// the link stays.

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

class QIODevice;

namespace alambix {

enum class WriteOutcome {
    Written,
    Refused, // the target is a folder or another non-regular file, or may not be written
    Failed,  // creating, writing, syncing, closing or renaming failed; nothing changed
};

// Writes into an empty device open for reading and writing, positioned at 0 (it may seek, read
// back and grow). Returns false to abandon the write.
using DeviceWriter = std::function<bool(QIODevice&)>;

// Replaces (or creates) the file at `path` with what `write` puts into the device. Every failed
// write of the device counts, even one the writer did not check.
WriteOutcome writeFileSafely(const QString& path, const DeviceWriter& write);
WriteOutcome writeFileSafely(const QString& path, const QByteArray& bytes);

// One file of a set written together.
struct FileToWrite {
    QString path;
    DeviceWriter write;
};

// Writes several files as one: every new file is written beside its target first, each as
// writeFileSafely() writes one; only when all of them are written do they take their targets'
// places. A failure at any step, the last replacement included, leaves every target as it was
// (an old file back in its place, a new one gone) and no stray file behind. Refused when any
// target is refused, before anything is written.
WriteOutcome writeFilesSafely(const std::vector<FileToWrite>& files);

// Writes all of `bytes` at the device's position; false unless every byte went out.
bool writeAll(QIODevice& device, const QByteArray& bytes);

} // namespace alambix
