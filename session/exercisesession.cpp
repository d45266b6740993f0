#include "session/exercisesession.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace alambix {

ExerciseSession::ExerciseSession(QObject* parent) : QObject(parent) {}

void ExerciseSession::setFich(const QString& path) {
    if (path == m_fich) return;
    m_fich = path;
    // Another file in the panel: the checks belonged to the exercise that was there.
    const bool hadChecks = !m_expectedSetup.isEmpty();
    m_expectedSetup.clear();
    m_hintLadder = HintLadder();
    emit fichChanged(m_fich);
    if (hadChecks) emit checkingChanged();
}

void ExerciseSession::startChecks(const QString& expectedSetup) {
    m_expectedSetup = expectedSetup;
    m_correctionShown = false;
    m_hintLadder = HintLadder();
    emit checkingChanged();
}

void ExerciseSession::setCorrectionShown() {
    if (m_correctionShown) return;
    m_correctionShown = true;
    emit checkingChanged();
}

void ExerciseSession::textEdited() {
    if (isOpen()) m_textemodifie = true;
}

void ExerciseSession::setRepexo(const QString& folder) {
    m_repexo =
        folder.isEmpty() || folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

QString ExerciseSession::textFolder() const {
    if (!m_textFolder.isEmpty() && QFileInfo(m_textFolder).isDir()) return m_textFolder;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir()) return documents;
    return QDir::homePath();
}

} // namespace alambix
