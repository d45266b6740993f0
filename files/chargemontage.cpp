#include "files/chargemontage.h"

#include "app/feuillep_window.h"
#include "drawing/dessin_widget.h"
#include "files/cheminmontage.h"

#include <QMessageBox>

namespace alambix {

namespace {
void critical(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, parent);
    box.exec();
}
} // namespace

QString captionFor(const QString& path) {
    return QStringLiteral("Alambix - ") + path;
}

SetupReadStatus chargemontage(FeuilleP& main, QWidget* dialogToRepaint) {
    if (dialogToRepaint && dialogToRepaint->isVisible()) dialogToRepaint->repaint();
    QWidget* messageParent = dialogToRepaint ? dialogToRepaint : &main;
    const QString path = cheminmontage;
    const SetupReadResult result = readSetupFile(path);
    switch (result.status) {
    case SetupReadStatus::NotASetupFile:
        critical(messageParent, QStringLiteral("Fichier non valide"),
                 QStringLiteral("Ce fichier ne correspond pas à cette application"));
        return result.status;
    case SetupReadStatus::ReadError:
        main.dessin()->hide();
        critical(messageParent, QStringLiteral("Erreur lors du chargement du fichier"),
                 QStringLiteral("Lecture impossible sur disque"));
        main.dessin()->show();
        return result.status;
    case SetupReadStatus::Ok:
        break;
    }
    main.dessin()->hide();
    applySetup(main.model(), valuesFromFlags(result.flags));
    main.dessin()->show();
    main.setWindowTitle(captionFor(path));
    return result.status;
}

bool ecritmontage(FeuilleP& main, QWidget* dialog) {
    if (!writeSetupFile(cheminmontage, main.model().values())) {
        if (dialog) dialog->unsetCursor();
        critical(dialog ? dialog : &main, QStringLiteral("Enregistrement impossible"),
                 QStringLiteral("Ecriture impossible sur disque"));
        return false;
    }
    main.setWindowTitle(captionFor(cheminmontage));
    return true;
}

} // namespace alambix
