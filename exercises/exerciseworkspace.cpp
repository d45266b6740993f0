#include "exercises/exerciseworkspace.h"

#include "exercises/exercisesession.h"

#include <QMessageBox>

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

} // namespace alambix
