#include "windows/exercises/exerciseworkspace.h"

#include "core/exercisefile.h"
#include "session/exerciseopening.h"
#include "session/exercisesession.h"
#include "session/setupdocument.h"
#include "windows/files/chargemontage.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QTextCursor>
#include <QTextEdit>

namespace alambix {

bool askDiscardEdits(const ExerciseSession& session, QWidget* parent) {
    if (!session.textemodifie()) return true;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Abandon des données?"),
                    QStringLiteral("Attention: perte des modifications du texte."),
                    QMessageBox::Ok | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

bool confirmDiscard(ExerciseSession& session, QWidget* parent) {
    if (!askDiscardEdits(session, parent)) return false;
    session.setTextemodifie(false);
    return true;
}

bool openExerciseStatement(ExerciseWorkspace& workspace, const QString& path, bool corrected,
                           QWidget* parent) {
    SetupDocument& document = workspace.document;
    QWidget& view = workspace.view;
    ExerciseTarget target{workspace.session, *workspace.supertext.document(), document,
                          [&document, &view, parent] { chargemontage(document, &view, parent); }};
    const OpeningResult result = openStatement(target, path, corrected);
    if (result.status != OpeningStatus::Opened) {
        const ExerciseMessage message = openingMessage(result);
        QMessageBox::critical(parent, message.title, message.text);
        return false;
    }
    workspace.supertext.setReadOnly(false);
    workspace.supertext.moveCursor(QTextCursor::Start);
    workspace.session.setTextemodifie(false);
    return true;
}

bool openExerciseFile(ExerciseWorkspace& workspace, const QString& path) {
    const QFileInfo file(path);
    const std::optional<ExercisePreview> preview = previewExerciseFile(path);
    if (!preview) {
        const ExerciseMessage message = unreadableExerciseMessage();
        QMessageBox::critical(&workspace.window, message.title, message.text);
        return false;
    }
    workspace.session.setRepexo(file.absolutePath());
    return openExerciseStatement(workspace, file.absoluteFilePath(), preview->corrected,
                                 &workspace.window);
}

} // namespace alambix
