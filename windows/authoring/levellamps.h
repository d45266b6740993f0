#pragma once
// The level of an exercise shown as the exercise window shows it, three lamps, and chosen on
// them: a click on a lamp lights it and those before it (a click on the last lit lamp puts it
// out); from the keyboard, the arrows, + and -, or a digit from 0 to 3.

#include <QPixmap>
#include <QWidget>

namespace alambix {

class LevelLamps : public QWidget {
    Q_OBJECT
public:
    explicit LevelLamps(QWidget* parent = nullptr);

    int level() const { return m_level; }
    void setLevel(int level);

    QSize sizeHint() const override;
    // Where lamp `index` (0 to 2) stands.
    QRect lampRect(int index) const;

signals:
    void levelChanged(int level);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int m_level = 0;
    QPixmap m_lit;
    QPixmap m_dark;
};

} // namespace alambix
