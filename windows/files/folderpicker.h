#pragma once
// The folder picker of the open and save dialogs and the exercise window: the volume, folder
// and file lists (`Drive1`, `Dir1`, `File1`) working together. Volumes stand in for drive
// letters: the root, the home folder and the mounted volumes.

#include <QComboBox>
#include <QListWidget>
#include <QRect>
#include <QString>

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

// `File1`: the files of a folder whose names match a pattern, in any case.
class FileList : public QListWidget {
    Q_OBJECT
public:
    explicit FileList(const QString& pattern, QWidget* parent = nullptr);
    QString path() const { return m_path; }
    void setPath(const QString& folder);
    // Name (without folder) of the selected file, empty when none.
    QString selectedName() const;
    void refresh();
signals:
    void pathChanged();
    void enterPressed();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_pattern;
    QString m_path;
};

// Where the three lists stand in the window that holds the picker.
struct FolderPickerPlaces {
    QRect drive;
    QRect folders;
    QRect files;
};

// The three lists as one control. A volume chosen opens its root in the folder list (a volume
// that cannot be read leaves both lists where they were); a folder opened fills the file list.
// Every picker starts in the last folder, the one the previous picker was left in.
class FolderPicker : public QWidget {
    Q_OBJECT
public:
    // The lists are placed at `places`, in the coordinates of `window`, which holds the picker.
    FolderPicker(const QString& pattern, const FolderPickerPlaces& places, QWidget* window);

    DriveList* driveList() const { return m_drive1; }
    DirList* folderList() const { return m_dir1; }
    FileList* fileList() const { return m_file1; }

    // The folder the file list shows.
    QString folder() const;
    // The selected file's full path, empty when none is selected.
    QString selectedPath() const;

    // Makes the file list's folder the one the next picker starts in.
    void rememberFolder() const;
    // The folder the next picker starts in: the program's starting folder until one is chosen.
    static QString lastFolder();
    static void setLastFolder(const QString& folder);

signals:
    // The file list now shows another folder.
    void folderChanged();
    // A file was selected (click or keys) or double-clicked.
    void fileSelected(const QString& path);
    void fileActivated(const QString& path);

private:
    DriveList* m_drive1 = nullptr;
    DirList* m_dir1 = nullptr;
    FileList* m_file1 = nullptr;
};

// Joins a folder and a name with one "/" ("/" itself already ends with one).
QString joinPath(const QString& folder, const QString& name);

} // namespace alambix
