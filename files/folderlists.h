#pragma once
// The volume, folder and file lists of the open and save dialogs (`Drive1`, `Dir1`, `File1`).
// Volumes stand in for drive letters: the root, the home folder and the mounted volumes.

#include <QComboBox>
#include <QListWidget>

namespace alambix {

// `Drive1`: the volumes; the chosen one is the volume holding the folder list's folder.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);
    QString drive() const;
    // Selects the volume holding `folder`, without reporting a change.
    void showDriveOf(const QString& folder);
signals:
    void driveChosen(const QString& root);
};

// `Dir1`: the folder's full path, ".." to go up, then its sub-folders. Double-click or Enter
// opens the highlighted entry.
class DirList : public QListWidget {
    Q_OBJECT
public:
    explicit DirList(QWidget* parent = nullptr);
    QString path() const { return m_path; }
    // Shows `folder`; false (and nothing changes) when it cannot be listed.
    bool setPath(const QString& folder);
    // Opens the highlighted entry.
    void openHighlighted();
signals:
    void pathChanged();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();
    QString m_path;
};

// `File1`: the set-up files (".C03", any case) of a folder.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(QWidget* parent = nullptr);
    QString path() const { return m_path; }
    void setPath(const QString& folder);
    // Name (without folder) of the selected file, empty when none.
    QString selectedName() const;
    void refresh();
signals:
    void pathChanged();

private:
    QString m_path;
};

// The navigation the two dialogs share: a volume chosen opens its root in the folder list
// (a volume that cannot be read leaves both lists where they were); a folder opened fills
// the file list.
void connectFolderLists(DriveList* drive1, DirList* dir1, FileList* file1);

// Joins a folder and a name with one "/" ("/" itself already ends with one).
QString joinPath(const QString& folder, const QString& name);

} // namespace alambix
