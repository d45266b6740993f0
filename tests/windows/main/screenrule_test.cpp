#include "windows/main/screenrule.h"

#include <QTest>

using namespace alambix;

class ScreenRuleTest : public QObject {
    Q_OBJECT
private slots:
    void frames_data() {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<bool>("held");
        QTest::addColumn<QRect>("frame");
        QTest::newRow("800 x 600") << QRect(0, 0, 800, 600) << true << QRect(0, 0, 800, 600);
        QTest::newRow("849 wide") << QRect(0, 0, 849, 700) << true << QRect(24, 50, 800, 600);
        QTest::newRow("second screen")
            << QRect(1920, 0, 640, 480) << true << QRect(1840, -60, 800, 600);
        QTest::newRow("850 wide") << QRect(0, 0, 850, 600) << false << QRect();
        QTest::newRow("1024 x 768") << QRect(0, 0, 1024, 768) << false << QRect();
    }

    void frames() {
        QFETCH(QRect, screen);
        QFETCH(bool, held);
        QFETCH(QRect, frame);
        const auto result = smallScreenFrame(screen);
        QCOMPARE(result.has_value(), held);
        if (held) QCOMPARE(*result, frame);
    }
};

QTEST_GUILESS_MAIN(ScreenRuleTest)
#include "screenrule_test.moc"
