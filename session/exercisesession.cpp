#include "session/exercisesession.h"

namespace alambix {

ExerciseSession::ExerciseSession(QObject* parent) : QObject(parent) {}

void ExerciseSession::setFich(const QString& path) {
    if (path == m_fich) return;
    m_fich = path;
    emit fichChanged(m_fich);
}

void ExerciseSession::textEdited() {
    if (isOpen()) m_textemodifie = true;
}

void ExerciseSession::setRepexo(const QString& folder) {
    m_repexo =
        folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

} // namespace alambix
