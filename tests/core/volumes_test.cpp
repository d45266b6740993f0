// The volumes offered by the open and save dialogs, from made-up mount lists.
#include "core/volumes.h"

#include <QTest>

using namespace alambix;

class VolumesTest : public QObject {
    Q_OBJECT
private slots:
    void offered_data() {
        QTest::addColumn<QStringList>("mounts");  // "path type [name]"
        QTest::addColumn<QStringList>("offered"); // "label=root"
        const QStringList start{"Racine (/)=/", "Dossier personnel=/home/eleve"};
        QTest::newRow("system mounts left out")
            << QStringList{"/ ext4",
                           "/proc proc",
                           "/sys sysfs",
                           "/dev devtmpfs",
                           "/run tmpfs",
                           "/dev/shm tmpfs",
                           "/sys/fs/cgroup cgroup2",
                           "/snap/core22/1380 squashfs",
                           "/boot ext4",
                           "/boot/efi vfat",
                           "/var/lib/docker/overlay2/x/merged overlay",
                           "/home ext4",
                           "/run/user/1000/gvfs fuse.gvfsd-fuse"}
            << start;
        QTest::newRow("removable and user mounts kept, in their order")
            << QStringList{"/ ext4",
                           "/media/eleve/CLE vfat CLE",
                           "/mnt/partage nfs4",
                           "/run/media/eleve/DVD iso9660",
                           "/data xfs",
                           "/media/eleve/CLE vfat CLE"}
            << start + QStringList{"CLE (/media/eleve/CLE)=/media/eleve/CLE",
                                   "/mnt/partage=/mnt/partage",
                                   "/run/media/eleve/DVD=/run/media/eleve/DVD", "/data=/data"};
        QTest::newRow("a volume inside the home folder")
            << QStringList{"/ overlay", "/home/eleve/Cours ext4"}
            << start + QStringList{"/home/eleve/Cours=/home/eleve/Cours"};
    }

    void offered() {
        QFETCH(QStringList, mounts);
        QFETCH(QStringList, offered);
        QList<MountedVolume> list;
        for (const QString& mount : mounts) {
            const QStringList parts = mount.split(QLatin1Char(' '));
            list.append({parts.at(0), parts.at(1).toLatin1(), parts.value(2)});
        }
        QStringList result;
        for (const VolumeChoice& choice : pupilVolumes(list, QStringLiteral("/home/eleve")))
            result << choice.label + QLatin1Char('=') + choice.root;
        QCOMPARE(result, offered);
    }
};

QTEST_GUILESS_MAIN(VolumesTest)
#include "volumes_test.moc"
