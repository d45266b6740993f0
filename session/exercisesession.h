#pragma once
// The exercise being worked on: which file is open, whether it has a correction, whether the
// pupil changed its text, and the folder its files are found in. The main window shows it; the
// exercise window and the exercise menu act on it.

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

signals:
    void fichChanged(const QString& path);

private:
    QString m_fich;
    QString m_repexo;
    bool m_exocorrige = false;
    bool m_textemodifie = false;
};

} // namespace alambix
