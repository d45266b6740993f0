#include "windows/files/chargemontage.h"

#include "session/setupdocument.h"

#include <QWidget>

namespace alambix {

QMessageBox::StandardButton showFileMessage(QWidget* parent, FileOutcome outcome,
                                            QMessageBox::Icon icon,
                                            QMessageBox::StandardButtons buttons,
                                            QMessageBox::StandardButton defaultButton) {
    const FileMessage message = fileMessage(outcome);
    QMessageBox box(icon, message.title, message.text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

SetupReadStatus chargemontage(SetupDocument& document, QWidget* view, QWidget* dialogToRepaint) {
    if (dialogToRepaint && dialogToRepaint->isVisible()) dialogToRepaint->repaint();
    QWidget* messageParent = dialogToRepaint ? dialogToRepaint : view->window();
    const SetupReadResult result = readSetupFile(document.path());
    switch (result.status) {
    case SetupReadStatus::NotASetupFile:
        showFileMessage(messageParent, FileOutcome::NotASetupFile);
        return result.status;
    case SetupReadStatus::ReadError:
        view->hide();
        showFileMessage(messageParent, FileOutcome::ReadError);
        view->show();
        return result.status;
    case SetupReadStatus::Ok:
        break;
    }
    view->hide();
    applySetup(document.model(), valuesFromFlags(result.flags));
    view->show();
    document.nameFile();
    return result.status;
}

bool ecritmontage(SetupDocument& document, QWidget* messageParent) {
    if (!writeSetupFile(document.path(), document.model().values())) {
        messageParent->unsetCursor();
        showFileMessage(messageParent, FileOutcome::WriteError);
        return false;
    }
    document.nameFile();
    return true;
}

} // namespace alambix
