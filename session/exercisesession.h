#pragma once
// The exercise being worked on: which file is open, whether it has a correction, whether the
// pupil changed its text, and the folder its files are found in. The main window shows it; the
// exercise window and the exercise menu act on it.

#include "core/setupcheck.h"

#include <QObject>
#include <QString>

namespace alambix {

class ExerciseSession : public QObject {
    Q_OBJECT
public:
    explicit ExerciseSession(QObject* parent = nullptr);

    // `fich`: full path of the open exercise file, empty when none is open.
    QString fich() const { return m_fich; }
    void setFich(const QString& path);
    bool isOpen() const { return !m_fich.isEmpty(); }

    // `exocorrige`: the open exercise has a correction.
    bool exocorrige() const { return m_exocorrige; }
    void setExocorrige(bool corrected) { m_exocorrige = corrected; }

    // `textemodifie`: the exercise text was changed since it was loaded or saved.
    bool textemodifie() const { return m_textemodifie; }
    void setTextemodifie(bool modified) { m_textemodifie = modified; }
    // The panel's text changed: only a pupil's edits of an open exercise count.
    void textEdited();

    // `repexo`: folder of the exercise file selected last, always ending with a separator.
    QString repexo() const { return m_repexo; }
    void setRepexo(const QString& folder);

    // Where the pupil's text dialogs ("Enregistrer le contenu…", "Retrouver un texte") start:
    // the last folder chosen in them while it is there, else the pupil's documents folder, else
    // the home folder; never the pack's folder, which lists every correction.
    QString textFolder() const;
    void setTextFolder(const QString& folder) { m_textFolder = folder; }

    // "Vérifier mon montage". The correction's set-up file the pupil's set-up is compared
    // with; empty when the exercise has none.
    QString expectedSetup() const { return m_expectedSetup; }
    // The pupil may check now: the open exercise has a correction set-up and its correction is
    // not shown yet.
    bool canCheckSetup() const {
        return isOpen() && !m_expectedSetup.isEmpty() && !m_correctionShown;
    }
    // An exercise was opened: its correction's set-up, and the checks counted from none.
    void startChecks(const QString& expectedSetup);
    // "Voir la correction" showed the answer: nothing is left to check.
    void setCorrectionShown();
    HintLadder& hintLadder() { return m_hintLadder; }
    const HintLadder& hintLadder() const { return m_hintLadder; }

signals:
    void fichChanged(const QString& path);
    // canCheckSetup() may have changed, or the checks started again.
    void checkingChanged();

private:
    QString m_fich;
    QString m_repexo;
    QString m_textFolder;
    bool m_exocorrige = false;
    bool m_textemodifie = false;
    QString m_expectedSetup;
    bool m_correctionShown = false;
    HintLadder m_hintLadder;
};

} // namespace alambix
