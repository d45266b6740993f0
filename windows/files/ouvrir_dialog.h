#pragma once
// `ouvrir`: picks a set-up file and loads it through `chargemontage`.

#include <QDialog>

class QFrame;
class QLineEdit;
class QPushButton;

namespace alambix {

class FolderPicker;
class SetupDocument;

class Ouvrir : public QDialog {
    Q_OBJECT
public:
    // `view` shows the document; the dialog stands over the view's window.
    Ouvrir(SetupDocument& document, QWidget* view);

    // "OUVRIR": loads the selected file, then closes whatever the load gave.
    void ouvre();

private:
    void fileSelected(const QString& path);

    SetupDocument& m_document;
    QWidget* m_view;
    FolderPicker* m_picker = nullptr;
    QLineEdit* m_ficharge = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QFrame* m_frame1 = nullptr;
};

} // namespace alambix
