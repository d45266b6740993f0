#pragma once
// `enregistrer`: chooses a folder and a name and saves the current set-up there.

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace alambix {

class FolderPicker;
class SetupDocument;

class Enregistrer : public QDialog {
    Q_OBJECT
public:
    // The dialog stands over `main`, the window that shows the document.
    Enregistrer(SetupDocument& document, QWidget* main);

    // "ENREGISTRER": composes the path, asks before overwriting and writes the file.
    void enregistre();

private:
    SetupDocument& m_document;
    FolderPicker* m_picker = nullptr;
    QLineEdit* m_text1 = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
};

} // namespace alambix
