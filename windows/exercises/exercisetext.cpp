#include "windows/exercises/exercisetext.h"

#include "core/safewrite.h"
#include "richtext/rtfreader.h"
#include "richtext/rtfwriter.h"
#include "session/exercisesession.h"
#include "windows/exercises/exerciseworkspace.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextEdit>

namespace alambix {

namespace {
const char* const rtfFilter = "Texte au format RTF (*.RTF *.rtf)";
const char* const checkDrive = "Vérifier l'état du lecteur et le nom du fichier.";

// The file chosen in a file dialog of ours, empty when it was cancelled. The dialogs start in
// the pupil's folder (see ExerciseSession::textFolder()), and the folder chosen becomes it.
QString chooseFile(const ExerciseWorkspace& workspace, QFileDialog::AcceptMode mode) {
    QString folder = workspace.session.textFolder();
    // A text found again in a folder the pupil cannot write to is saved at home.
    if (mode == QFileDialog::AcceptSave && !QFileInfo(folder).isWritable()) {
        workspace.session.setTextFolder(QString());
        folder = workspace.session.textFolder();
    }
    QFileDialog dialog(&workspace.window, QString(), folder, QString::fromUtf8(rtfFilter));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    if (mode == QFileDialog::AcceptSave) {
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setDefaultSuffix(QStringLiteral("RTF"));
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString path = dialog.selectedFiles().constFirst();
    workspace.session.setTextFolder(QFileInfo(path).absolutePath());
    return path;
}

void critical(QWidget& parent, const QString& title) {
    QMessageBox box(QMessageBox::Critical, title, QString::fromUtf8(checkDrive), QMessageBox::Ok,
                    &parent);
    box.exec();
}

bool askOverwrite(QWidget& parent, const QString& path) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Ecraser le fichier?"),
                    QStringLiteral("Le fichier ") + QFileInfo(path).fileName() +
                        QStringLiteral(" existe déjà.\nEcraser l'ancien?"),
                    QMessageBox::Ok | QMessageBox::Cancel, &parent);
    box.setDefaultButton(QMessageBox::Ok);
    return box.exec() == QMessageBox::Ok;
}

// The whole file, read before the panel is touched; false when it cannot be read or holds no
// RTF document.
bool loadRtf(const QString& path, QTextDocument& document) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    return readRtf(file, document) == RtfReadError::None;
}
} // namespace

void saveExerciseText(const ExerciseWorkspace& workspace) {
    const QString path = chooseFile(workspace, QFileDialog::AcceptSave);
    if (path.isEmpty()) return;
    if (QFileInfo::exists(path) && !askOverwrite(workspace.window, path)) return;
    const QTextDocument& text = *workspace.supertext.document();
    const WriteOutcome outcome =
        writeFileSafely(path, [&text](QIODevice& device) { return writeRtf(text, device); });
    if (outcome != WriteOutcome::Written) {
        // The text is not on the disk: it still counts as modified.
        critical(workspace.window, QStringLiteral("Erreur d'écriture."));
        return;
    }
    workspace.session.setTextemodifie(false);
}

void openExerciseText(const ExerciseWorkspace& workspace) {
    if (!confirmDiscard(workspace.session, &workspace.window)) return;
    const QString path = chooseFile(workspace, QFileDialog::AcceptOpen);
    if (path.isEmpty()) return;
    // readRtf takes in the whole file and leaves the document alone unless it holds RTF.
    if (!loadRtf(path, *workspace.supertext.document())) {
        critical(workspace.window, QStringLiteral("Erreur de lecture."));
        return;
    }
    workspace.session.setExocorrige(false);
    workspace.supertext.setReadOnly(false);
    workspace.session.setFich(QStringLiteral("Texte: ") + path);
    // Loading is no edit.
    workspace.session.setTextemodifie(false);
}

void printExerciseText(const ExerciseWorkspace& workspace, QPrinter& printer) {
    QPrintDialog dialog(&printer, &workspace.window);
    const bool selection = workspace.supertext.textCursor().hasSelection();
    dialog.setOption(QAbstractPrintDialog::PrintSelection, selection);
    // The selection unless the user asks for all the text.
    printer.setPrintRange(selection ? QPrinter::Selection : QPrinter::AllPages);
    if (dialog.exec() != QDialog::Accepted) return;
    // QTextEdit prints its selection alone when the range asks for it.
    workspace.supertext.print(&printer);
}

void closeExercise(const ExerciseWorkspace& workspace) {
    if (!confirmDiscard(workspace.session, &workspace.window)) return;
    workspace.session.setFich(QString());
    workspace.ecritintro();
    workspace.session.setExocorrige(false);
    workspace.session.setTextemodifie(false);
}

} // namespace alambix
