#pragma once
// Text typed key by key into a widget, accented and other non-ASCII characters included (QTest's
// own keyClicks knows ASCII alone).

#include <QString>
#include <QTest>
#include <QWidget>

inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, char(c.unicode()));
            continue;
        }
        const auto key = Qt::Key(c.toUpper().unicode() < 0x100 ? c.toUpper().unicode() : 0);
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}
