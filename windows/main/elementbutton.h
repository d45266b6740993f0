#pragma once
// An element button of `Check1`: a push button that stays down while its element is on.

#include <QAbstractButton>

namespace alambix {

class ElementButton : public QAbstractButton {
    Q_OBJECT
public:
    ElementButton(int index, QWidget* parent);

    int index() const { return m_index; }
    // Shows the value: pressed and white with a dark blue caption when on, dark blue with a
    // white caption when off.
    void showValue(bool on);

    QSize sizeHint() const override { return QSize(81, 35); }
    // The window's scale: the bevel and the focus frame grow with it (the font is the window's).
    void setScale(qreal scale);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter switches the element as Space does.
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_index;
    qreal m_scale = 1;
};

} // namespace alambix
