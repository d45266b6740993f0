#pragma once
// `ouvrir`: picks a set-up file and loads it through `chargemontage`.

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

namespace alambix {

class DirList;
class DriveList;
class FeuilleP;
class FileList;

class Ouvrir : public QDialog {
    Q_OBJECT
public:
    explicit Ouvrir(FeuilleP& main, QWidget* parent = nullptr);

    // "OUVRIR": loads the selected file, then closes whatever the load gave.
    void ouvre();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fileSelected();

    FeuilleP& m_main;
    DriveList* m_drive1 = nullptr;
    DirList* m_dir1 = nullptr;
    FileList* m_file1 = nullptr;
    QLineEdit* m_ficharge = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QFrame* m_frame1 = nullptr;
};

} // namespace alambix
