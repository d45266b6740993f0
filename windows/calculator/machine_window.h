#pragma once
// The calculator window "Machine à calculer": a keypad, a display and two option groups over
// the key logic of CalculatorKeys.
#include "core/calculatorkeys.h"

#include <QDialog>

class QPlainTextEdit;
class QKeyEvent;

namespace alambix {

class Machine : public QDialog {
    Q_OBJECT
public:
    explicit Machine(QWidget* parent = nullptr);

    const CalculatorKeys& keys() const { return m_keys; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildKeys();
    void buildOptions();
    void pressKey(const QString& name);
    void typeKey(QKeyEvent* event);
    void showDisplay(const QString& text);

    CalculatorKeys m_keys;
    QPlainTextEdit* m_z1 = nullptr;
    QString m_z1Text; // what z1 shows, read often while an evaluation runs
};

} // namespace alambix
