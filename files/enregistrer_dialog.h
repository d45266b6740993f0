#pragma once
// `enregistrer`: chooses a folder and a name and saves the current set-up there.

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace alambix {

class DirList;
class DriveList;
class FeuilleP;
class FileList;

class Enregistrer : public QDialog {
    Q_OBJECT
public:
    explicit Enregistrer(FeuilleP& main, QWidget* parent = nullptr);

    // "ENREGISTRER": composes the path, asks before overwriting and writes the file.
    void enregistre();

private:
    FeuilleP& m_main;
    DriveList* m_drive1 = nullptr;
    DirList* m_dir1 = nullptr;
    FileList* m_file1 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
};

} // namespace alambix
