#include "windows/help/programhelp.h"

#include "core/programfolder.h"
#include "windows/help/desktopviewer.h"
#include "windows/help/helpwindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QUrl>

namespace alambix {

struct ProgramHelp::Document {
    QString packageFile; // the teaching package's own file
    QString ownFile;     // our Markdown, in the program's folder
    QString title;
};

ProgramHelp::ProgramHelp(const QString& programFolder, QWidget* mainWindow)
    : QObject(mainWindow), m_programFolder(programFolder), m_main(mainWindow) {
    // Every key of every window passes here first, so that no window keeps F1 for itself.
    qApp->installEventFilter(this);
}

bool ProgramHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            if (!key->isAutoRepeat()) openHelp();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void ProgramHelp::openHelp() {
    open({QStringLiteral("Borix.hlp"), QStringLiteral("aide/aide.md"),
          QStringLiteral("Aide d'Alambix")},
         m_help);
}

void ProgramHelp::openCourse() {
    open({QStringLiteral("Voirlecours.chm"), QStringLiteral("cours/cours.md"),
          QStringLiteral("Cours : les montages de chimie")},
         m_course);
}

void ProgramHelp::open(const Document& document, QPointer<HelpWindow>& shown) {
    // The help file of the teaching package when the desktop can show it, else our own.
    const QString path = findInProgramFolder(m_programFolder, document.packageFile);
    if (QFileInfo::exists(path) && !desktopViewerFor(path).isEmpty() &&
        QDesktopServices::openUrl(QUrl::fromLocalFile(path)))
        return;
    // A modal dialog blocks every window but its own: the help is then the dialog's, and goes
    // back to the main window when the dialog closes.
    QWidget* host = QApplication::activeModalWidget();
    if (!host) host = m_main;
    if (!shown) {
        auto* window = new HelpWindow(findInProgramFolder(m_programFolder, document.ownFile),
                                      document.title, host);
        if (!window->isLoaded()) {
            delete window;
            const QString text =
                QFileInfo::exists(path)
                    ? QStringLiteral("Aucun programme de ce bureau ne sait ouvrir le fichier "
                                     "« %1 ».")
                          .arg(document.packageFile)
                    : QStringLiteral("Le fichier « %1 » est introuvable dans le dossier du "
                                     "programme:\n%2")
                          .arg(document.packageFile, QDir::toNativeSeparators(m_programFolder));
            QMessageBox::critical(host, document.title, text);
            return;
        }
        shown = window;
    } else if (shown->parentWidget() != host) {
        const QRect geometry = shown->geometry();
        shown->setParent(host, Qt::Window);
        shown->setGeometry(geometry);
    }
    if (auto* dialog = qobject_cast<QDialog*>(host)) {
        QPointer<HelpWindow> window = shown;
        connect(
            dialog, &QDialog::finished, this,
            [this, window] {
                if (!window || window->parentWidget() == m_main) return;
                const QRect geometry = window->geometry();
                const bool visible = window->isVisible();
                window->setParent(m_main, Qt::Window);
                window->setGeometry(geometry);
                window->setVisible(visible);
            },
            Qt::SingleShotConnection);
    }
    shown->show();
    shown->raise();
    shown->activateWindow();
}

} // namespace alambix
