#pragma once
// A spin control made of its two arrows only: the value is shown by a label beside it.

#include <QTimer>
#include <QWidget>

namespace alambix {

class UpDownControl : public QWidget {
    Q_OBJECT
public:
    explicit UpDownControl(QWidget* parent = nullptr);

    int value() const { return m_value; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // Keeps the value inside the bounds.
    void setRange(int minimum, int maximum);
    void setValue(int value);

    QSize sizeHint() const override { return QSize(16, 17); }

signals:
    void valueChanged(int value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void stepBy(int steps);
    void repeatStep();
    QRect upArrowRect() const;
    QRect downArrowRect() const;

    int m_value = 0;
    int m_minimum = 0;
    int m_maximum = 99;
    int m_pressedStep = 0; // +1 while the upper arrow is held, -1 for the lower one
    QTimer m_repeat;
};

} // namespace alambix
