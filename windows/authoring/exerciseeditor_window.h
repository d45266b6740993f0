#pragma once
// The exercise editor: a window of its own where a teacher makes an exercise or changes one:
// title, level and notions, the statement and the correction with the formatting bar, the
// set-up of each, "Aperçu" and "Enregistrer l'exercice". It stands beside the main window, whose
// set-up it takes when asked, and keeps nothing once closed.

#include "session/exercisedraft.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace alambix {

class LevelLamps;
class SetupChoice;
class SetupDocument;
class TextPanel;

class ExerciseEditor : public QWidget {
    Q_OBJECT
public:
    // `current` is the main window's set-up; `packFolder` the program's own exercise pack,
    // where nothing is saved. A window of its own, which the main window may stand over while
    // the teacher builds a set-up; it first shows over the middle of `beside`. It is deleted
    // when closed.
    ExerciseEditor(const SetupDocument& current, const QString& packFolder,
                   QWidget* beside = nullptr);

    ExerciseDraft& draft() { return m_draft; }

    // "Modifier l'exercice": every part of the exercise file `path`. False, after its message,
    // when the exercise file cannot be read; a part that cannot be read is said and left empty.
    bool openExercise(const QString& path);

    // "Enregistrer l'exercice": where it was read from or last saved, or where the teacher
    // chooses the first time (or when that folder may not be written). True when saved.
    bool save();
    // "Enregistrer sous…": always where the teacher chooses.
    bool saveAs();
    // "Aperçu": the exercise as the exercise window and the text panel will show it.
    void preview();

    // The folder the save dialog starts in.
    QString saveFolder() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildFields();
    QWidget* buildDocument(QTextDocument& document, const QString& name, SetupChoice*& choice);
    void showFields();
    void showCounts();
    void showTitle();
    TextPanel* currentPanel() const;
    void insertDrawing();
    void importText();
    bool saveTo(const QString& path, bool askBeforeReplacing);
    // A problem of the title or notions that no file name mends; empty when none.
    DraftResult problemBeforeChoosing() const;
    void showProblem(const DraftResult& result);

    const SetupDocument& m_current;
    QString m_packFolder;
    ExerciseDraft m_draft;
    QLineEdit* m_title = nullptr;
    QLabel* m_titleCount = nullptr;
    LevelLamps* m_level = nullptr;
    QPlainTextEdit* m_notions = nullptr;
    QLabel* m_notionsCount = nullptr;
    QLabel* m_warning = nullptr;
    QTabWidget* m_tabs = nullptr;
    TextPanel* m_statement = nullptr;
    TextPanel* m_correction = nullptr;
    SetupChoice* m_statementSetup = nullptr;
    SetupChoice* m_correctionSetup = nullptr;
};

} // namespace alambix
