#include "core/volumes.h"

#include <QStorageInfo>

#include <algorithm>
#include <array>
#include <string_view>

namespace alambix {

namespace {
// File systems that hold no files of the user: the kernel's views, memory and image mounts.
bool isSystemFileSystem(const QByteArray& type) {
    static constexpr std::array<std::string_view, 30> system{
        "proc",      "sysfs",       "tmpfs",       "devtmpfs",        "devpts",        "cgroup",
        "cgroup2",   "overlay",     "squashfs",    "securityfs",      "pstore",        "bpf",
        "debugfs",   "tracefs",     "mqueue",      "hugetlbfs",       "fusectl",       "configfs",
        "autofs",    "binfmt_misc", "efivarfs",    "ramfs",           "nsfs",          "rpc_pipefs",
        "selinuxfs", "nfsd",        "fuse.portal", "fuse.gvfsd-fuse", "fuse.snapfuse", "fuse.lxcfs",
    };
    const std::string_view name(type.constData(), static_cast<std::size_t>(type.size()));
    return std::find(system.begin(), system.end(), name) != system.end();
}

bool isUnder(const QString& path, const QString& folder) {
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

// Folders of the system itself; removable volumes mounted in /run/media are the user's.
bool isSystemFolder(const QString& path) {
    if (isUnder(path, QStringLiteral("/run/media"))) return false;
    static const QString folders[] = {
        QStringLiteral("/boot"), QStringLiteral("/efi"), QStringLiteral("/snap"),
        QStringLiteral("/proc"), QStringLiteral("/sys"), QStringLiteral("/dev"),
        QStringLiteral("/run"),  QStringLiteral("/var"), QStringLiteral("/usr"),
        QStringLiteral("/etc"),  QStringLiteral("/tmp"), QStringLiteral("/opt"),
        QStringLiteral("/lib"),  QStringLiteral("/bin"), QStringLiteral("/sbin"),
    };
    return std::any_of(std::begin(folders), std::end(folders),
                       [&path](const QString& folder) { return isUnder(path, folder); });
}
} // namespace

QList<VolumeChoice> pupilVolumes(const QList<MountedVolume>& mounts, const QString& home) {
    QList<VolumeChoice> choices{{QStringLiteral("Racine (/)"), QStringLiteral("/")}};
    if (!home.isEmpty() && home != QLatin1String("/"))
        choices.append({QStringLiteral("Dossier personnel"), home});
    for (const MountedVolume& volume : mounts) {
        const QString& root = volume.rootPath;
        if (root.isEmpty() || isSystemFileSystem(volume.fileSystemType) || isSystemFolder(root))
            continue;
        // The folder holding the home folders is offered through the home folder itself.
        if (isUnder(home, root) && root != home) continue;
        if (std::any_of(choices.begin(), choices.end(),
                        [&root](const VolumeChoice& choice) { return choice.root == root; }))
            continue;
        const QString label =
            volume.name.isEmpty() ? root : QStringLiteral("%1 (%2)").arg(volume.name, root);
        choices.append({label, root});
    }
    return choices;
}

QList<MountedVolume> mountedVolumes() {
    QList<MountedVolume> mounts;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady())
            mounts.append({volume.rootPath(), volume.fileSystemType(), volume.name()});
    return mounts;
}

} // namespace alambix
