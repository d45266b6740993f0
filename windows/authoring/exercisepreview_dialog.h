#pragma once
// "Aperçu": the exercise being made as the pupil will meet it. On one side what the exercise
// window's preview shows (title, level lamps, corrected or not, notions); on the other the
// statement and the correction in a panel of the main window's text panel's size, each as the
// saved file will give it back, beside the drawing of its set-up.

#include <QDialog>

namespace alambix {

class ExerciseDraft;

class ExercisePreviewDialog : public QDialog {
    Q_OBJECT
public:
    ExercisePreviewDialog(const ExerciseDraft& draft, QWidget* parent);
};

} // namespace alambix
