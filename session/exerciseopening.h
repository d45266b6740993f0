#pragma once
// Opening an exercise: its statement into the text panel with the set-up that goes with it, and
// later "Voir la correction". The exercise window, the exercise menu and alambix-cli all open
// exercises through here.

#include <QString>

#include <functional>

class QTextDocument;

namespace alambix {

class ExerciseSession;
class SetupDocument;

enum class OpeningStatus {
    Opened,             // the document is in the panel (or there was none to load)
    ExerciseUnreadable, // the exercise file cannot be opened or read
    DocumentMissing,    // the statement or correction document cannot be loaded
};

struct OpeningResult {
    OpeningStatus status = OpeningStatus::Opened;
    // Opened: the document now in the panel, empty when the panel kept its text (a correction
    // without a text). DocumentMissing: the folder and the name as stored, as the message says.
    QString document;
    // Opened: whether the panel may be edited now (a statement may, a correction may not).
    bool editable = false;
};

struct ExerciseMessage {
    QString title;
    QString text;
};

// "Lecture impossible": the exercise file cannot be read (the preview says it too).
ExerciseMessage unreadableExerciseMessage();
// The critical message a failed opening shows; empty for Opened.
ExerciseMessage openingMessage(const OpeningResult& result);

// What an opening works on. `loadSetup` is `chargemontage`: it loads the file the set-up
// document's path names, with its own messages.
struct ExerciseTarget {
    ExerciseSession& session;
    QTextDocument& panel;
    SetupDocument& setup;
    std::function<void()> loadSetup;
};

// Opens the exercise file `exercisePath`, whose names are resolved in the session's `repexo`:
// its statement replaces the panel's text, `fich` names the exercise, `exocorrige` becomes
// `corrected` (what the preview showed), the checks of the pupil's set-up start again against
// the correction's set-up, and the statement's set-up, when it has one, is loaded. On a failure
// nothing changes.
OpeningResult openStatement(ExerciseTarget& target, const QString& exercisePath, bool corrected);

// "Voir la correction" of the exercise `fich` names: its correction replaces the panel's text
// and its correction set-up is loaded, each when it has one; the panel is then read-only and
// the pupil's set-up no longer checked.
// The names are resolved in the exercise file's own folder. On a failure nothing changes.
OpeningResult openCorrection(ExerciseTarget& target);

} // namespace alambix
