#pragma once
// How many times larger than its design a window shows its content. The main window grows its
// whole content with the window, in proportion; the parts that other families build in it (the
// check button's box, the text panel's formatting bar) ask it the factor and follow its changes.

#include <QFont>
#include <QObject>
#include <QRect>

class QWidget;

namespace alambix {

// A rectangle of a design at `factor`: its edges scaled, so that rectangles that meet in the
// design still meet.
QRect scaledRect(const QRect& design, qreal factor);

class WindowScale : public QObject {
    Q_OBJECT
public:
    // Held by `window`, which others find it through.
    explicit WindowScale(QWidget* window);

    qreal factor() const { return m_factor; }
    // Changes the factor and says so.
    void setFactor(qreal factor);

    // The scale of the window holding `widget`; null when that window has none.
    static WindowScale* of(const QWidget* widget);
    // Its factor, 1 where there is none.
    static qreal factorFor(const QWidget* widget);

    // A length of the design, at this factor.
    int length(qreal design) const { return qRound(design * m_factor); }
    // A rectangle of the design at this factor (see scaledRect()).
    QRect rect(const QRect& design) const { return scaledRect(design, m_factor); }
    // A font of the design at this factor.
    QFont font(QFont design) const;

signals:
    void factorChanged(qreal factor);

private:
    qreal m_factor = 1;
};

} // namespace alambix
