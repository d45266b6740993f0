// The program's style draws button faces from its own cache: every face must be Fusion's, pixel
// for pixel, whatever the state, size or colours, drawn one after the other so that a face kept
// under too coarse a key would show up in the next row.
#include "windows/common/buttonfacestyle.h"

#include <QPushButton>
#include <QStyleFactory>
#include <QTest>
#include <QToolButton>

#include <functional>
#include <memory>

using alambix::ButtonFaceStyle;

namespace {
using Setup = std::function<void(QAbstractButton&)>;
}

class ButtonFaceStyleTest : public QObject {
    Q_OBJECT

private slots:
    void facesAreFusions_data() {
        QTest::addColumn<bool>("tool");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<Setup>("setup");
        const Setup nothing = [](QAbstractButton&) {};
        const Setup hovered = [](QAbstractButton& b) { b.setAttribute(Qt::WA_UnderMouse); };
        const Setup down = [](QAbstractButton& b) { b.setDown(true); };
        const Setup checked = [](QAbstractButton& b) {
            b.setCheckable(true);
            b.setChecked(true);
        };
        const Setup disabled = [](QAbstractButton& b) { b.setEnabled(false); };
        const Setup reddish = [](QAbstractButton& b) {
            QPalette palette = b.palette();
            palette.setColor(QPalette::Button, QColor(230, 160, 150));
            palette.setColor(QPalette::Window, QColor(90, 90, 140));
            b.setPalette(palette);
        };
        const Setup autoRaiseHovered = [](QAbstractButton& b) {
            static_cast<QToolButton&>(b).setAutoRaise(true);
            b.setAttribute(Qt::WA_UnderMouse);
        };
        const Setup byDefault = [](QAbstractButton& b) {
            static_cast<QPushButton&>(b).setDefault(true);
        };
        const Setup flatDown = [](QAbstractButton& b) {
            static_cast<QPushButton&>(b).setFlat(true);
            b.setDown(true);
        };
        const QSize bar(89, 41);
        QTest::newRow("tool") << true << bar << nothing;
        QTest::newRow("tool, hovered") << true << bar << hovered;
        QTest::newRow("tool, down") << true << bar << down;
        QTest::newRow("tool, checked") << true << bar << checked;
        QTest::newRow("tool, disabled") << true << bar << disabled;
        QTest::newRow("tool, other colours") << true << bar << reddish;
        QTest::newRow("tool, wider") << true << QSize(97, 41) << nothing;
        QTest::newRow("tool, auto-raise hovered") << true << bar << autoRaiseHovered;
        QTest::newRow("push") << false << bar << nothing;
        QTest::newRow("push, default") << false << bar << byDefault;
        QTest::newRow("push, flat and down") << false << bar << flatDown;
        QTest::newRow("push, other colours") << false << bar << reddish;
    }

    void facesAreFusions() {
        QFETCH(bool, tool);
        QFETCH(QSize, size);
        QFETCH(Setup, setup);
        const auto grab = [&](QStyle& style) {
            std::unique_ptr<QAbstractButton> button;
            if (tool)
                button = std::make_unique<QToolButton>();
            else
                button = std::make_unique<QPushButton>();
            button->setStyle(&style);
            button->setText(QStringLiteral("Ouvrir"));
            button->resize(size);
            setup(*button);
            return button->grab().toImage();
        };
        const QImage fusion = grab(*m_fusion);
        const QImage ours = grab(m_style);
        QCOMPARE(ours.size(), fusion.size());
        QVERIFY(ours == fusion);
        // Drawn again from the cache.
        QVERIFY(grab(m_style) == fusion);
    }

private:
    std::unique_ptr<QStyle> m_fusion{QStyleFactory::create(QStringLiteral("Fusion"))};
    ButtonFaceStyle m_style;
};

QTEST_MAIN(ButtonFaceStyleTest)
#include "buttonfacestyle_test.moc"
