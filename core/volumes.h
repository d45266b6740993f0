#pragma once
// The volumes the open and save dialogs offer: the ones a pupil means (the root, the home
// folder, removable and user-mounted volumes), without the system's own mounts.

#include <QByteArray>
#include <QList>
#include <QString>

namespace alambix {

struct MountedVolume {
    QString rootPath;
    QByteArray fileSystemType;
    QString name; // the volume's label, empty when it has none
};

struct VolumeChoice {
    QString label; // what the list shows
    QString root;  // the folder the choice opens
};

// The root first, then the home folder ("Dossier personnel"), then the other volumes of
// `mounts` in their order, leaving out the system's mounts (kernel and memory file systems,
// snap images, boot and system folders) and the folders already offered.
QList<VolumeChoice> pupilVolumes(const QList<MountedVolume>& mounts, const QString& home);

// The volumes mounted now, as the system lists them.
QList<MountedVolume> mountedVolumes();

} // namespace alambix
