#pragma once
// "Vérifier mon montage" on the open exercise: the pupil's set-up compared with the set-up of
// the exercise's correction, and the hint of the rung the pupil has reached. The exercise menu
// and alambix-cli both check through here.

#include "core/filemessages.h"
#include "core/setupcheck.h"

#include <QString>

#include <optional>

namespace alambix {

class ExerciseSession;

enum class CheckStatus {
    Checked,
    NoExpectedSetup,    // the exercise has no correction set-up
    ExpectedUnreadable, // its correction set-up cannot be loaded
};

struct SetupCheck {
    CheckStatus status = CheckStatus::Checked;
    // The correction's set-up file; ExpectedUnreadable: why it could not be loaded.
    QString expectedPath;
    FileOutcome readFailure = FileOutcome::ReadError;
    // Checked:
    SetupDifference difference;
    std::optional<HintRung> rung; // nothing when the set-up is right
    int number = 0;               // the check's number since the exercise was opened
    QString text;                 // the hint, or the greeting of a right set-up

    bool offersCorrection() const { return rung == HintRung::Correction; }
};

// The expected set-up in the file `path`, as the set-up loader leaves it once the rules ran:
// the set-up the correction shows.
struct ExpectedSetup {
    std::optional<FileOutcome> failure; // why the file could not be loaded
    SetupValues values{};
};
ExpectedSetup readExpectedSetup(const QString& path);

// Checks `pupil` against the session's expected set-up; a check that compared counts on the
// session's ladder. A failure changes nothing.
SetupCheck checkSetup(ExerciseSession& session, const SetupValues& pupil);

struct CheckMessage {
    QString title;
    QString text;
};
// The French message of a check that could not compare; empty for Checked.
CheckMessage checkMessage(const SetupCheck& check);

} // namespace alambix
