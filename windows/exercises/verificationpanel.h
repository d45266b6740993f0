#pragma once
// The answer of "Vérifier mon montage": a small box over the foot of the text panel, so that
// the drawing stays in sight while the pupil mends the set-up by its hint. It shows the check's
// number, the hint (or the greeting of a right set-up) and, at the top of the ladder, offers
// "Voir la correction".

#include <QFrame>
#include <QPointer>

class QLabel;
class QPushButton;
class QToolButton;

namespace alambix {

struct SetupCheck;

class VerificationPanel : public QFrame {
    Q_OBJECT
public:
    explicit VerificationPanel(QWidget* parent);

    // Shows `check` (one that compared) across the foot of `panel`, a sibling of this box.
    void showCheck(const SetupCheck& check, const QWidget& panel);

signals:
    // "Voir la correction" was pressed.
    void correctionRequested();

private:
    // Fonts and margins at the window's scale.
    void applyScale();
    void place(const QWidget& panel);

    QPointer<const QWidget> m_panel;
    QLabel* m_title = nullptr;
    QLabel* m_text = nullptr;
    QPushButton* m_correction = nullptr;
    QToolButton* m_close = nullptr;
};

} // namespace alambix
