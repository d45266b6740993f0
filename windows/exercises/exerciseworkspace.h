#pragma once
// What the exercise commands act on: the session, the main window's text panel `supertext`, the
// set-up document and its view, and the main window itself (it parents the messages and wears
// the hourglass). The main window builds one for its exercise menu.

#include <QString>

#include <functional>

class QTextEdit;
class QWidget;

namespace alambix {

class ExerciseSession;
class SetupDocument;

struct ExerciseWorkspace {
    ExerciseSession& session;
    QTextEdit& supertext;
    SetupDocument& document;
    QWidget& view;   // the drawing, hidden while a set-up loads
    QWidget& window; // the main window
    // `ecritintro`: the introduction text back in the panel, read-only.
    std::function<void()> ecritintro;
    // The program's own folder: the exercise window starts in the exercise pack found there.
    QString programFolder;
};

// The discard question "Attention: perte des modifications du texte." when the text has unsaved
// edits. True when the command may go on (no edits, or OK); nothing changes.
bool askDiscardEdits(const ExerciseSession& session, QWidget* parent);
// The same before a command that replaces the text: on OK the edits no longer count.
bool confirmDiscard(ExerciseSession& session, QWidget* parent);

// Opens the statement of the exercise file `path` in the panel, with its set-up, as the exercise
// window's "ouvreur" does: names resolved in the session's `repexo`, `exocorrige` as
// `corrected`, the panel editable and unmodified. A failure shows its critical message over
// `parent` and changes nothing. True when the statement is in.
bool openExerciseStatement(ExerciseWorkspace& workspace, const QString& path, bool corrected,
                           QWidget* parent);

// A file named at start or opened from the file manager: `repexo` becomes its folder and it
// opens as above, its corrected mark read from the file as the exercise window's preview does.
bool openExerciseFile(ExerciseWorkspace& workspace, const QString& path);

} // namespace alambix
