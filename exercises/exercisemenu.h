#pragma once
// `optionexo`, the exercise menu the exercise tab of the main window pops up.

#include <QMenu>

namespace alambix {

class ExerciseSession;

class ExerciseMenu : public QMenu {
    Q_OBJECT
public:
    ExerciseMenu(const ExerciseSession& session, QWidget* parent);

    // Enables the items the session allows, then pops up at `where` (global coordinates).
    void popupFor(const QPoint& where);

private:
    const ExerciseSession& m_session;
};

} // namespace alambix
