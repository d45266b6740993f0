#include "session/exerciseopening.h"

#include "core/blanks.h"
#include "core/exercisefile.h"
#include "richtext/rtfreader.h"
#include "session/exercisesession.h"
#include "session/setupdocument.h"

#include <QFile>
#include <QFileInfo>
#include <QTextDocument>

#include <optional>

namespace alambix {

namespace {

bool isBlank(const QString& text) {
    return trimBlanks(text).isEmpty();
}

QString withSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// Loads `folder` + `name` into the panel. readRtf leaves the panel as it was on every error,
// so a document that cannot be loaded changes nothing.
bool loadDocument(QTextDocument& panel, const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return false;
    return readRtf(file, panel) == RtfReadError::None;
}

void loadSetupFile(ExerciseTarget& target, const QString& folder, const QString& name) {
    if (isBlank(name)) return;
    target.setup.setPath(resolveInFolder(folder, name));
    if (target.loadSetup) target.loadSetup();
}

// Loads the document of `pair` found in `folder`. A blank document name keeps the panel's text.
OpeningResult openDocument(ExerciseTarget& target, const ExerciseDocument& pair,
                           const QString& folder, bool documentRequired) {
    OpeningResult result;
    if (documentRequired || !isBlank(pair.text)) {
        const QString path = resolveInFolder(folder, pair.text);
        // A blank name names just the folder, and the folder is no document.
        if (isBlank(pair.text) || !loadDocument(target.panel, path))
            return {OpeningStatus::DocumentMissing, folder + pair.text, false};
        result.document = path;
    }
    return result;
}

} // namespace

ExerciseMessage unreadableExerciseMessage() {
    return {QStringLiteral("Lecture impossible"),
            QStringLiteral("Vérifier:\n- le nom du fichier,\n- l'état du lecteur.")};
}

ExerciseMessage openingMessage(const OpeningResult& result) {
    switch (result.status) {
    case OpeningStatus::Opened:
        break;
    case OpeningStatus::ExerciseUnreadable:
        return unreadableExerciseMessage();
    case OpeningStatus::DocumentMissing:
        return {QStringLiteral("Fichier absent"), QStringLiteral("Le fichier ") + result.document +
                                                      QStringLiteral(" est introuvable")};
    }
    return {};
}

OpeningResult openStatement(ExerciseTarget& target, const QString& exercisePath, bool corrected) {
    if (isBlank(exercisePath)) return {};
    const std::optional<ExerciseDocument> statement = readStatement(exercisePath);
    if (!statement) return {OpeningStatus::ExerciseUnreadable, QString(), false};
    ExerciseSession& session = target.session;
    OpeningResult result = openDocument(target, *statement, session.repexo(), true);
    if (result.status != OpeningStatus::Opened) return result;
    session.setFich(exercisePath);
    session.setExocorrige(corrected);
    // The set-up of the correction is what "Vérifier mon montage" compares the pupil's with.
    const std::optional<ExerciseDocument> correction = readCorrection(exercisePath);
    session.startChecks(correction && !isBlank(correction->setup)
                            ? resolveInFolder(withSeparator(QFileInfo(exercisePath).absolutePath()),
                                              correction->setup)
                            : QString());
    // A set-up that cannot be loaded says so itself; the statement stays open.
    loadSetupFile(target, session.repexo(), statement->setup);
    session.setTextemodifie(false);
    result.editable = true;
    return result;
}

OpeningResult openCorrection(ExerciseTarget& target) {
    ExerciseSession& session = target.session;
    const std::optional<ExerciseDocument> correction = readCorrection(session.fich());
    if (!correction) return {OpeningStatus::ExerciseUnreadable, QString(), false};
    // The exercise's own folder: `repexo` may name another one since, when the exercise window
    // was shown again and left without opening anything.
    const QString folder = withSeparator(QFileInfo(session.fich()).absolutePath());
    OpeningResult result = openDocument(target, *correction, folder, false);
    if (result.status != OpeningStatus::Opened) return result;
    loadSetupFile(target, folder, correction->setup);
    session.setCorrectionShown();
    session.setTextemodifie(false);
    result.editable = false;
    return result;
}

} // namespace alambix
