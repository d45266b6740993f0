#pragma once
// `optionexo`, the exercise menu the exercise tab of the main window pops up.

#include "windows/exercises/exerciseworkspace.h"

#include <QList>
#include <QMenu>
#include <QPointer>

#include <memory>

class QPrinter;

namespace alambix {

class ExerciseEditor;
class VerificationPanel;

class ExerciseMenu : public QMenu {
    Q_OBJECT
public:
    ExerciseMenu(const ExerciseWorkspace& workspace, QWidget* parent);
    ~ExerciseMenu() override;

    // The printer "Imprimer le contenu de la fenêtre exercice" prints on; it keeps the choices
    // made in the printer dialog from one print to the next. Made on first use: a printer
    // loads the printing system (CUPS and what it links, 3 MiB), which the start does not need.
    QPrinter& printer();

    // Enables the items the session allows, then pops up at `where` (global coordinates).
    // Popped up from the keyboard, its first item is highlighted, as in any menu reached by keys,
    // so that Enter opens an exercise.
    void popupFor(const QPoint& where, bool fromKeyboard = false);

    // "Vérifier mon montage", also the main window's key F7: enabled while the session lets the
    // pupil check the set-up.
    QAction* checkAction() const;

    // An exercise file named on the command line: its statement and set-up, as if opened from
    // the exercise window (after the discard question when the text has edits).
    bool openFile(const QString& path);

    // "Nouvel exercice…" (an empty `path`) or the exercise `path` in the exercise editor, a
    // window of its own beside this one; null when the exercise cannot be read.
    ExerciseEditor* editExercise(const QString& path);
    // Closes every exercise editor, each asking about its unsaved changes; false when one stays.
    bool closeEditors();

private:
    // "Ouvrir un exercice (énoncé + configuration)": the exercise window, shown modally.
    void openExercise();
    // "Voir la correction": the correction in the panel, read-only, and its set-up.
    void showCorrection();
    // "Modifier l'exercice…": the exercise open in the panel, else one the teacher picks.
    void changeExercise();
    // "Vérifier mon montage": the set-up compared, the hint of the pupil's rung in its box.
    void checkSetup();
    QAction* item(const char* name) const;

    ExerciseWorkspace m_workspace;
    std::unique_ptr<QPrinter> m_printer;
    VerificationPanel* m_verification = nullptr; // made at the first check
    // The exercise editors open; each deletes itself when closed.
    QList<QPointer<ExerciseEditor>> m_editors;
};

} // namespace alambix
