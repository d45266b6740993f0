// The main window without a mouse: the element buttons and the drawing driven by keys alone.
#include "windows/main/dessin_widget.h"
#include "windows/main/elementbutton.h"
#include "windows/main/feuillep_window.h"

#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace alambix;

namespace {
// The contrast ratio of two colours, as readability guidelines measure it (1 to 21).
double contrast(QColor a, QColor b) {
    auto luminance = [](QColor c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}
} // namespace

class KeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_window = std::make_unique<FeuilleP>(m_folder.path());
        m_window->show();
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void keysSwitchTheFocusedElement_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("keypad");
        QTest::newRow("Space") << int(Qt::Key_Space) << false;
        QTest::newRow("Enter") << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << true;
    }

    void keysSwitchTheFocusedElement() {
        QFETCH(int, key);
        QFETCH(bool, keypad);
        ElementButton* ballon = button(3);
        ballon->setFocus(Qt::TabFocusReason);
        const auto modifiers = keypad ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(ballon, static_cast<Qt::Key>(key), modifiers);
        QVERIFY(m_window->model().value(3));
        QVERIFY(ballon->isChecked());
        QTest::keyClick(ballon, static_cast<Qt::Key>(key), modifiers);
        QVERIFY(!m_window->model().value(3));
        QVERIFY(!ballon->isChecked());
    }

    // The focus frame is a solid ring at least two pixels wide, in a colour that stands out from
    // the face it is drawn on, whether the element is on (white face) or off (dark blue).
    void focusFrameShowsOnBothFaces_data() {
        QTest::addColumn<bool>("on");
        QTest::newRow("off, dark blue face") << false;
        QTest::newRow("on, white face") << true;
    }

    void focusFrameShowsOnBothFaces() {
        QFETCH(bool, on);
        ElementButton* bouton = button(2);
        if (on) QTest::mouseClick(bouton, Qt::LeftButton);
        button(3)->setFocus(Qt::TabFocusReason);
        const QImage plain = bouton->grab().toImage();
        bouton->setFocus(Qt::TabFocusReason);
        const QImage focused = bouton->grab().toImage();
        const QColor face = plain.pixelColor(6, 5);
        // Across the left, top, right and bottom edges through the middle of the button.
        const int midX = bouton->width() / 2, midY = bouton->height() / 2;
        const QList<QList<QPoint>> edges{
            {QPoint(0, midY), QPoint(1, 0)},
            {QPoint(midX, 0), QPoint(0, 1)},
            {QPoint(bouton->width() - 1, midY), QPoint(-1, 0)},
            {QPoint(midX, bouton->height() - 1), QPoint(0, -1)},
        };
        for (const auto& edge : edges) {
            int ring = 0;
            for (QPoint p = edge[0];
                 ring < 2 && focused.rect().contains(p) && (p - edge[0]).manhattanLength() < 8;
                 p += edge[1]) {
                const bool frame = focused.pixel(p) != plain.pixel(p) &&
                                   contrast(focused.pixelColor(p), face) >= 3;
                ring = frame ? ring + 1 : 0;
            }
            QVERIFY2(
                ring >= 2,
                qPrintable(QStringLiteral("edge from %1,%2").arg(edge[0].x()).arg(edge[0].y())));
        }
    }

    // The context-menu key and Shift+F10 open the explanation menu where the focus is: on an
    // element button, and on the drawing, which Tab reaches after the last button.
    void contextMenuKeys_data() {
        QTest::addColumn<bool>("onDrawing");
        QTest::addColumn<bool>("shiftF10");
        QTest::newRow("menu key on a button") << false << false;
        QTest::newRow("Shift+F10 on a button") << false << true;
        QTest::newRow("menu key on the drawing") << true << false;
        QTest::newRow("Shift+F10 on the drawing") << true << true;
    }

    void contextMenuKeys() {
        QFETCH(bool, onDrawing);
        QFETCH(bool, shiftF10);
        QWidget* target = button(4);
        target->setFocus(Qt::TabFocusReason);
        if (onDrawing) {
            // From the lowest button, "Verre à pied".
            button(0)->setFocus(Qt::TabFocusReason);
            QTest::keyClick(button(0), Qt::Key_Tab);
            target = m_window->dessin();
            QCOMPARE(QApplication::focusWidget(), target);
        }
        auto* menu = m_window->dessin()->findChild<QMenu*>(QStringLiteral("explication"));
        QVERIFY(!menu->isVisible());
        if (shiftF10)
            QTest::keyClick(target, Qt::Key_F10, Qt::ShiftModifier);
        else
            QTest::keyClick(target, Qt::Key_Menu);
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(QRect(target->mapToGlobal(QPoint(0, 0)), target->size()).contains(menu->pos()));
        // Nothing else happened to the set-up.
        QCOMPARE(m_window->model().values(), SetupValues{});
        menu->hide();
    }

private:
    ElementButton* button(int index) {
        return m_window->findChild<ElementButton*>(QStringLiteral("Check1_%1").arg(index));
    }

    QTemporaryDir m_folder;
    std::unique_ptr<FeuilleP> m_window;
};

QTEST_MAIN(KeyboardTest)
#include "keyboard_test.moc"
