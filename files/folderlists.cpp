#include "files/folderlists.h"

#include "files/volumes.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>

namespace alambix {

namespace {
constexpr int TargetRole = Qt::UserRole;

bool isWithin(const QString& folder, const QString& root) {
    if (root == QLatin1String("/")) return true;
    return folder == root || folder.startsWith(root + QLatin1Char('/'));
}
} // namespace

QString joinPath(const QString& folder, const QString& name) {
    return folder.endsWith(QLatin1Char('/')) ? folder + name : folder + QLatin1Char('/') + name;
}

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    for (const VolumeChoice& volume : pupilVolumes(mountedVolumes(), QDir::homePath()))
        if (QFileInfo(volume.root).isDir()) addItem(volume.label, volume.root);
    connect(this, &QComboBox::currentIndexChanged, this,
            [this](int index) { emit driveChosen(itemData(index).toString()); });
}

QString DriveList::drive() const {
    return currentData().toString();
}

void DriveList::showDriveOf(const QString& folder) {
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < count(); ++i) {
        const QString root = itemData(i).toString();
        if (isWithin(folder, root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    const QSignalBlocker blocker(this);
    setCurrentIndex(best);
}

DirList::DirList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { openHighlighted(); });
}

bool DirList::setPath(const QString& folder) {
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !info.isExecutable()) return false;
    const QString clean = QDir::cleanPath(info.absoluteFilePath());
    if (clean == m_path) return true;
    m_path = clean;
    refresh();
    emit pathChanged();
    return true;
}

void DirList::openHighlighted() {
    if (const QListWidgetItem* item = currentItem()) setPath(item->data(TargetRole).toString());
}

void DirList::keyPressEvent(QKeyEvent* event) {
    // Enter opens the entry here rather than pressing the dialog's default button.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openHighlighted();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void DirList::refresh() {
    clear();
    auto* here = new QListWidgetItem(m_path, this);
    here->setData(TargetRole, m_path);
    QFont bold = font();
    bold.setBold(true);
    here->setFont(bold);
    QDir dir(m_path);
    if (!dir.isRoot()) {
        auto* up = new QListWidgetItem(QStringLiteral(".."), this);
        up->setData(TargetRole, QFileInfo(m_path).absolutePath());
    }
    const auto folders =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo& folder : folders) {
        auto* item = new QListWidgetItem(QStringLiteral("  ") + folder.fileName(), this);
        item->setData(TargetRole, folder.absoluteFilePath());
    }
    setCurrentItem(here);
}

FileList::FileList(QWidget* parent) : QListWidget(parent) {}

void FileList::setPath(const QString& folder) {
    if (folder == m_path) return;
    m_path = folder;
    refresh();
    emit pathChanged();
}

void FileList::refresh() {
    clear();
    QDir dir(m_path);
    // Name filters are case-insensitive unless asked otherwise.
    const QStringList names =
        dir.entryList({QStringLiteral("*.C03")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    addItems(names);
}

QString FileList::selectedName() const {
    const auto items = selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

void connectFolderLists(DriveList* drive1, DirList* dir1, FileList* file1) {
    QObject::connect(drive1, &DriveList::driveChosen, dir1, [=](const QString& root) {
        dir1->setPath(root);
        drive1->showDriveOf(dir1->path());
        file1->setPath(dir1->path());
    });
    QObject::connect(dir1, &DirList::pathChanged, file1, [=] {
        drive1->showDriveOf(dir1->path());
        file1->setPath(dir1->path());
    });
}

} // namespace alambix
