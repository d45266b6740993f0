#include "windows/files/folderpicker.h"

#include "core/volumes.h"

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

FileList::FileList(const QString& pattern, QWidget* parent)
    : QListWidget(parent), m_pattern(pattern) {}

void FileList::setPath(const QString& folder) {
    if (folder == m_path) return;
    m_path = folder;
    refresh();
    emit pathChanged();
}

void FileList::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !selectedName().isEmpty()) {
        emit enterPressed();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void FileList::refresh() {
    clear();
    QDir dir(m_path);
    // Name filters are case-insensitive unless asked otherwise.
    const QStringList names =
        dir.entryList({m_pattern}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    addItems(names);
}

QString FileList::selectedName() const {
    const auto items = selectedItems();
    return items.isEmpty() ? QString() : items.first()->text();
}

namespace {
QString& lastFolderSlot() {
    static QString folder = QDir::currentPath();
    return folder;
}

QRect unite(const FolderPickerPlaces& places) {
    return places.drive.united(places.folders).united(places.files);
}
} // namespace

FolderPicker::FolderPicker(const QString& pattern, const FolderPickerPlaces& places,
                           QWidget* window)
    : QWidget(window) {
    setObjectName(QStringLiteral("folderPicker"));
    // The picker spans from the window's corner, so the lists keep the window's coordinates.
    setGeometry(QRect(QPoint(0, 0), unite(places).bottomRight()));
    m_drive1 = new DriveList(this);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_drive1->setGeometry(places.drive);
    m_dir1 = new DirList(this);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_dir1->setGeometry(places.folders);
    m_file1 = new FileList(pattern, this);
    m_file1->setObjectName(QStringLiteral("File1"));
    m_file1->setGeometry(places.files);

    m_dir1->setPath(lastFolder());
    m_drive1->showDriveOf(m_dir1->path());
    m_file1->setPath(m_dir1->path());

    connect(m_drive1, &DriveList::driveChosen, this, [this](const QString& root) {
        m_dir1->setPath(root);
        m_drive1->showDriveOf(m_dir1->path());
        m_file1->setPath(m_dir1->path());
    });
    connect(m_dir1, &DirList::pathChanged, this, [this] {
        m_drive1->showDriveOf(m_dir1->path());
        m_file1->setPath(m_dir1->path());
    });
    connect(m_file1, &FileList::pathChanged, this, &FolderPicker::folderChanged);
    connect(m_file1, &QListWidget::itemSelectionChanged, this, [this] {
        const QString path = selectedPath();
        if (!path.isEmpty()) emit fileSelected(path);
    });
    connect(m_file1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        emit fileActivated(joinPath(m_file1->path(), item->text()));
    });
    // Enter on a file does what the double-click does.
    connect(m_file1, &FileList::enterPressed, this, [this] {
        const QString path = selectedPath();
        if (!path.isEmpty()) emit fileActivated(path);
    });
}

QString FolderPicker::folder() const {
    return m_file1->path();
}

QString FolderPicker::selectedPath() const {
    const QString name = m_file1->selectedName();
    return name.isEmpty() ? QString() : joinPath(m_file1->path(), name);
}

void FolderPicker::rememberFolder() const {
    setLastFolder(m_file1->path());
}

QString FolderPicker::lastFolder() {
    return lastFolderSlot();
}

void FolderPicker::setLastFolder(const QString& folder) {
    lastFolderSlot() = folder;
}

} // namespace alambix
