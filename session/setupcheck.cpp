#include "session/setupcheck.h"

#include "core/setupmodel.h"
#include "session/exercisesession.h"

#include <QDir>
#include <QFileInfo>

namespace alambix {

ExpectedSetup readExpectedSetup(const QString& path) {
    ExpectedSetup expected;
    // A file that is not there reads as an empty file: say which it is.
    if (!QFileInfo(path).isFile()) {
        expected.failure = FileOutcome::BadPath;
        return expected;
    }
    const SetupReadResult read = readSetupFile(path);
    if (read.status != SetupReadStatus::Ok) {
        expected.failure = readOutcome(read.status);
        return expected;
    }
    SetupModel model;
    applySetup(model, valuesFromFlags(read.flags));
    expected.values = model.values();
    return expected;
}

SetupCheck checkSetup(ExerciseSession& session, const SetupValues& pupil) {
    SetupCheck check;
    check.expectedPath = session.expectedSetup();
    if (check.expectedPath.isEmpty()) {
        check.status = CheckStatus::NoExpectedSetup;
        return check;
    }
    const ExpectedSetup expected = readExpectedSetup(check.expectedPath);
    if (expected.failure) {
        check.status = CheckStatus::ExpectedUnreadable;
        check.readFailure = *expected.failure;
        return check;
    }
    check.difference = compareSetups(pupil, expected.values);
    HintLadder& ladder = session.hintLadder();
    check.rung = ladder.climb(check.difference.isRight());
    check.number = ladder.checks();
    check.text = check.rung ? setupHint(check.difference, *check.rung) : rightSetupText(pupil);
    return check;
}

CheckMessage checkMessage(const SetupCheck& check) {
    const QString title = QStringLiteral("Vérifier mon montage");
    switch (check.status) {
    case CheckStatus::Checked:
        break;
    case CheckStatus::NoExpectedSetup:
        return {title, QStringLiteral("Cet exercice n'a pas de montage corrigé : il n'y a pas de "
                                      "montage auquel comparer le vôtre.")};
    case CheckStatus::ExpectedUnreadable:
        return {title, QStringLiteral("Le montage corrigé de cet exercice ne peut pas être lu :\n"
                                      "%1\n%2.")
                           .arg(QDir::toNativeSeparators(check.expectedPath),
                                fileMessage(check.readFailure).text)};
    }
    return {};
}

} // namespace alambix
