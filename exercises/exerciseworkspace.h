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

} // namespace alambix
