#pragma once
// `Fichexo`, the exercise window: lists the exercise files of a folder, previews the one
// selected and opens it. It covers the main window while it shows.

#include "windows/exercises/exerciseworkspace.h"

#include <QDialog>
#include <QPixmap>

#include <array>

class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace alambix {

class FolderPicker;

class Fichexo : public QDialog {
    Q_OBJECT
public:
    explicit Fichexo(const ExerciseWorkspace& workspace);

    // The exercise folder of the program's own folder, where every showing starts.
    static QString startFolder(const QString& programFolder);

    FolderPicker* picker() const { return m_picker; }

    // `apercu`: the preview of the file `fichierexo` names.
    void apercu();
    // Opens the selected exercise; the window closes when its statement is in the panel.
    void ouvre();
    // "Modifier l'exercice sélectionné": the window closes, and this names the exercise.
    QString exerciseToEdit() const { return m_toEdit; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void fileSelected(const QString& path);

    ExerciseWorkspace m_workspace;
    FolderPicker* m_picker = nullptr;
    QToolButton* m_ouvreur = nullptr;
    QToolButton* m_modifier = nullptr;
    QString m_toEdit;
    QLineEdit* m_fichierexo = nullptr;
    QLabel* m_intratro = nullptr;
    QLabel* m_titratexo = nullptr;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label4 = nullptr;
    std::array<QLabel*, 3> m_image4{};
    QPixmap m_lit;
    QPixmap m_dark;
    QPlainTextEdit* m_text1 = nullptr;
    QFrame* m_frame2 = nullptr;
    // Whether the last preview read a correction: false when it could not read the file.
    bool m_corrected = false;
    bool m_activated = false;
};

} // namespace alambix
