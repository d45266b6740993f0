#pragma once
// `optionexo`, the exercise menu the exercise tab of the main window pops up.

#include "exercises/exerciseworkspace.h"

#include <QMenu>

namespace alambix {

class ExerciseMenu : public QMenu {
    Q_OBJECT
public:
    ExerciseMenu(const ExerciseWorkspace& workspace, QWidget* parent);

    // Enables the items the session allows, then pops up at `where` (global coordinates).
    void popupFor(const QPoint& where);

private:
    // "Ouvrir un exercice (énoncé + configuration)": the exercise window, shown modally.
    void openExercise();
    // "Voir la correction": the correction in the panel, read-only, and its set-up.
    void showCorrection();
    QAction* item(const char* name) const;

    ExerciseWorkspace m_workspace;
};

} // namespace alambix
