#include "windows/exercises/exercisemenu.h"

#include "session/exerciseopening.h"
#include "session/exercisesession.h"
#include "session/setupcheck.h"
#include "session/setupdocument.h"
#include "windows/exercises/exercisetext.h"
#include "windows/exercises/verificationpanel.h"

#include "core/exercisefile.h"
#include "windows/authoring/exerciseeditor_window.h"
#include "windows/exercises/fichexo_window.h"
#include "windows/files/chargemontage.h"
#include "windows/files/folderpicker.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrinter>
#include <QTextCursor>
#include <QTextEdit>

namespace alambix {

namespace {
struct ItemInfo {
    const char* name;
    const char* caption; // a separator without one
};

const ItemInfo exerciseItems[] = {
    {"openexo", "Ouvrir un exercice (énoncé + configuration)"},
    {"verifmontage", "Vérifier mon montage"},
    {"opencor", "Voir la correction"},
    {"separ02", nullptr},
    {"savetexte", "Enregistrer le contenu de la fenêtre exercice"},
    {"opentexte", "Retrouver un texte"},
    {"imprimetexte", "Imprimer le contenu de la fenêtre exercice"},
    {"separ03", nullptr},
    {"Closexo", "Fermer l'exercice"},
    {"separ04", nullptr},
    {"nouvelexo", "Nouvel exercice…"},
    {"modifexo", "Modifier l'exercice…"},
};
} // namespace

ExerciseMenu::ExerciseMenu(const ExerciseWorkspace& workspace, QWidget* parent)
    : QMenu(QStringLiteral("optionexo"), parent), m_workspace(workspace) {
    setObjectName(QStringLiteral("optionexo"));
    for (const auto& item : exerciseItems) {
        QAction* action =
            item.caption ? addAction(QString::fromUtf8(item.caption)) : addSeparator();
        action->setObjectName(QString::fromLatin1(item.name));
    }
    // The commands on the text panel.
    connect(item("savetexte"), &QAction::triggered, this,
            [this] { saveExerciseText(m_workspace); });
    connect(item("opentexte"), &QAction::triggered, this,
            [this] { openExerciseText(m_workspace); });
    connect(item("imprimetexte"), &QAction::triggered, this,
            [this] { printExerciseText(m_workspace, printer()); });
    connect(item("Closexo"), &QAction::triggered, this, [this] { closeExercise(m_workspace); });
    connect(item("openexo"), &QAction::triggered, this, &ExerciseMenu::openExercise);
    connect(item("opencor"), &QAction::triggered, this, &ExerciseMenu::showCorrection);
    connect(item("nouvelexo"), &QAction::triggered, this, [this] { editExercise(QString()); });
    connect(item("modifexo"), &QAction::triggered, this, &ExerciseMenu::changeExercise);

    // The check works from the main window's keyboard too, menu closed.
    QAction* check = checkAction();
    check->setShortcut(QKeySequence(Qt::Key_F7));
    check->setEnabled(false);
    m_workspace.window.addAction(check);
    connect(check, &QAction::triggered, this, &ExerciseMenu::checkSetup);
    connect(&m_workspace.session, &ExerciseSession::checkingChanged, this, [this] {
        checkAction()->setEnabled(m_workspace.session.canCheckSetup());
        // The hints were about the set-up of an exercise that is no longer being checked.
        if (m_verification) m_verification->hide();
    });
}

void ExerciseMenu::openExercise() {
    if (!confirmDiscard(m_workspace.session, &m_workspace.window)) return;
    Fichexo fichexo(m_workspace);
    fichexo.exec();
    // "Modifier l'exercice sélectionné" closed the window.
    if (!fichexo.exerciseToEdit().isEmpty()) editExercise(fichexo.exerciseToEdit());
}

ExerciseEditor* ExerciseMenu::editExercise(const QString& path) {
    QWidget& window = m_workspace.window;
    m_editors.removeAll(nullptr);
    // An exercise already in an editor is shown there, not read a second time.
    for (ExerciseEditor* editor : std::as_const(m_editors)) {
        if (path.isEmpty() || editor->draft().path() != QFileInfo(path).absoluteFilePath())
            continue;
        editor->raise();
        editor->activateWindow();
        return editor;
    }
    auto* editor = new ExerciseEditor(m_workspace.document,
                                      Fichexo::startFolder(m_workspace.programFolder), &window);
    if (!path.isEmpty() && !editor->openExercise(path)) {
        delete editor;
        return nullptr;
    }
    m_editors.append(editor);
    editor->show();
    editor->activateWindow();
    return editor;
}

void ExerciseMenu::changeExercise() {
    // The exercise open in the panel, else the one the teacher picks.
    const QString open = m_workspace.session.fich();
    if (m_workspace.session.isOpen() &&
        open.endsWith(QLatin1String(ExerciseSuffix), Qt::CaseInsensitive) &&
        QFileInfo(open).isFile()) {
        editExercise(open);
        return;
    }
    QString folder = FolderPicker::lastFolder();
    if (!QFileInfo(folder).isDir()) folder = Fichexo::startFolder(m_workspace.programFolder);
    QFileDialog dialog(&m_workspace.window, QStringLiteral("Modifier l'exercice"), folder,
                       QStringLiteral("Exercice Alambix (*.E08 *.e08)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    const QString path = dialog.selectedFiles().constFirst();
    FolderPicker::setLastFolder(QFileInfo(path).absolutePath());
    editExercise(path);
}

bool ExerciseMenu::closeEditors() {
    m_editors.removeAll(nullptr);
    for (ExerciseEditor* editor : std::as_const(m_editors))
        if (editor && !editor->close()) return false;
    return true;
}

bool ExerciseMenu::openFile(const QString& path) {
    if (!confirmDiscard(m_workspace.session, &m_workspace.window)) return false;
    return openExerciseFile(m_workspace, path);
}

void ExerciseMenu::showCorrection() {
    if (!confirmDiscard(m_workspace.session, &m_workspace.window)) return;
    QWidget& window = m_workspace.window;
    SetupDocument& document = m_workspace.document;
    QWidget& view = m_workspace.view;
    window.setCursor(Qt::WaitCursor);
    ExerciseTarget target{m_workspace.session, *m_workspace.supertext.document(), document,
                          [&document, &view] { chargemontage(document, &view); }};
    const OpeningResult result = openCorrection(target);
    window.unsetCursor();
    if (result.status != OpeningStatus::Opened) {
        const ExerciseMessage message = openingMessage(result);
        QMessageBox::critical(&window, message.title, message.text);
        return;
    }
    m_workspace.supertext.setReadOnly(true);
    if (!result.document.isEmpty()) m_workspace.supertext.moveCursor(QTextCursor::Start);
    m_workspace.session.setTextemodifie(false);
}

void ExerciseMenu::checkSetup() {
    ExerciseSession& session = m_workspace.session;
    if (!session.canCheckSetup()) return;
    const SetupCheck check = alambix::checkSetup(session, m_workspace.document.model().values());
    if (check.status != CheckStatus::Checked) {
        const CheckMessage message = checkMessage(check);
        QMessageBox::critical(&m_workspace.window, message.title, message.text);
        return;
    }
    if (!m_verification) {
        m_verification = new VerificationPanel(&m_workspace.window);
        connect(m_verification, &VerificationPanel::correctionRequested, this,
                &ExerciseMenu::showCorrection);
    }
    m_verification->showCheck(check, m_workspace.supertext);
}

QAction* ExerciseMenu::checkAction() const {
    return item("verifmontage");
}

ExerciseMenu::~ExerciseMenu() {
    // An editor works on the main window's set-up: it does not outlive it.
    for (ExerciseEditor* editor : std::as_const(m_editors))
        delete editor;
}

QPrinter& ExerciseMenu::printer() {
    if (!m_printer) m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

QAction* ExerciseMenu::item(const char* name) const {
    return findChild<QAction*>(QString::fromLatin1(name));
}

void ExerciseMenu::popupFor(const QPoint& where, bool fromKeyboard) {
    item("opencor")->setEnabled(m_workspace.session.exocorrige());
    item("Closexo")->setEnabled(m_workspace.session.isOpen());
    popup(where);
    if (fromKeyboard) setActiveAction(item("openexo"));
}

} // namespace alambix
