// The main window, headless, driven with real clicks.
#include "support/files.h"
#include "support/invitation.h"
#include "support/messagecatcher.h"
#include "windows/main/dessin_widget.h"
#include "windows/main/elementbutton.h"
#include "windows/main/feuillep_window.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

#include <memory>

using namespace alambix;

namespace {
QByteArray flagBytes(const QString& folder) {
    return fileBytes(folder + QStringLiteral("/TEMPO.SPC")).mid(1408, 5);
}

ElementButton* check1(FeuilleP& window, int index) {
    return window.findChild<ElementButton*>(QStringLiteral("Check1_%1").arg(index));
}

void clickElement(FeuilleP& window, int index) {
    QTest::mouseClick(check1(window, index), Qt::LeftButton);
}

} // namespace

class FeuillePTest : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(m_folder.isValid()); }

    void cleanup() {
        // No window may outlive its test.
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }

    void startUp() {
        FeuilleP window(m_folder.path());
        // The flag is written once the window is on the screen.
        window.show();
        QTRY_COMPARE(flagBytes(m_folder.path()), QByteArray("\x03\x00OUI", 5));
        QCOMPARE(window.windowTitle(), QStringLiteral("Alambix"));
        QCOMPARE(window.findChild<QLabel*>(QStringLiteral("Label1"))->text(), QString());
        QCOMPARE(window.hint(), QStringLiteral("Vous pouvez modifier les paramètres,\r\nouvrir une "
                                               "configuration ou un exercice"));
        for (int i : {6, 11, 12, 13})
            QVERIFY(!check1(window, i)->isEnabled());
        QVERIFY(invitationShown(window.dessin()->surface().image()));
        QCOMPARE(window.dessin()->surface().image().pixelColor(0, 0), QColor(255, 200, 155));
        QCOMPARE(window.dessin()->size(), QSize(321, 490));
        // Qt's own texts are French: the context menu of the text fields.
        std::unique_ptr<QMenu> menu(
            window.findChild<QLineEdit*>(QStringLiteral("fich"))->createStandardContextMenu());
        QStringList items;
        for (const QAction* action : menu->actions())
            items << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
        QVERIFY2(items.contains(QStringLiteral("Copier")), qPrintable(items.join(u'|')));
        // The printing system (3 MiB with what it links) waits for the first print.
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        QVERIFY(!mapped.contains("libcupsprintersupport") && !mapped.contains("libcups.so"));
        window.hide();
    }

    void qtTextsAreFrench_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::newRow("Yes") << int(QMessageBox::Yes) << "Oui";
        QTest::newRow("No") << int(QMessageBox::No) << "Non";
        QTest::newRow("Cancel") << int(QMessageBox::Cancel) << "Annuler";
    }

    void qtTextsAreFrench() {
        QFETCH(int, button);
        QFETCH(QString, text);
        QMessageBox box(QMessageBox::Question, QStringLiteral("Fermer"), QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        auto* shown = box.button(static_cast<QMessageBox::StandardButton>(button));
        QCOMPARE(shown->text().remove(QLatin1Char('&')), text);
    }

    void layout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::newRow("Command3") << "Command3" << QRect(0, 0, 89, 41);
        QTest::newRow("Command1") << "Command1" << QRect(704, 0, 97, 41);
        QTest::newRow("Check1_7 on top") << "Check1_7" << QRect(8, 56, 81, 35);
        QTest::newRow("Check1_0 at the bottom") << "Check1_0" << QRect(8, 511, 81, 35);
        QTest::newRow("dessin") << "dessin" << QRect(88, 56, 321, 490);
        QTest::newRow("Label1") << "Label1" << QRect(424, 80, 361, 25);
        QTest::newRow("info") << "info" << QRect(512, 120, 233, 33);
        QTest::newRow("BTEXO") << "BTEXO" << QRect(424, 168, 97, 19);
        QTest::newRow("fich") << "fich" << QRect(480, 168, 305, 19);
        QTest::newRow("supertext") << "supertext" << QRect(424, 187, 361, 358);
    }

    void layout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        FeuilleP window(m_folder.path());
        auto* widget = window.findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
    }

    void clicksNameTheSetUp() {
        FeuilleP window(m_folder.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* label = window.findChild<QLabel*>(QStringLiteral("Label1"));
        clickElement(window, 3);
        QVERIFY(!invitationShown(window.dessin()->surface().image()));
        clickElement(window, 8);
        QCOMPARE(label->text(), QStringLiteral("Chauffage à reflux"));
        QCOMPARE(label->palette().color(QPalette::Window), QColor(0, 0, 128));
        QCOMPARE(label->palette().color(QPalette::WindowText), QColor(255, 255, 255));
        // The border stays black around the name.
        QCOMPARE(label->grab().toImage().pixelColor(0, label->height() / 2), QColor(0, 0, 0));
        QVERIFY(check1(window, 3)->isChecked());

        clickElement(window, 0); // no row matches any more
        QCOMPARE(label->text(), QString());
        QCOMPARE(label->palette().color(QPalette::Window), QColor(255, 255, 255));

        // A greyed button ignores the click.
        clickElement(window, 11);
        QVERIFY(!window.model().value(Thermometre));
        QVERIFY(!check1(window, 11)->isChecked());
        window.hide();
    }

    void buttonColoursFollowValues() {
        FeuilleP window(m_folder.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        clickElement(window, 1);
        const QImage on = check1(window, 1)->grab().toImage();
        const QImage off = check1(window, 2)->grab().toImage();
        const QPoint inside(6, 5);
        QCOMPARE(on.pixelColor(inside), QColor(255, 255, 255));
        QCOMPARE(off.pixelColor(inside), QColor(0, 0, 180));
        window.hide();
    }

    void paintsGradientShadowAndCaption() {
        FeuilleP window(m_folder.path());
        window.resize(791, 572);
        const QImage image = window.grab().toImage();
        // Gradient: RGB(m, m, k) row by row, on the bare background between the controls.
        QCOMPARE(image.pixelColor(415, 45), QColor(251, 251, 249));
        QCOMPARE(image.pixelColor(300, 565), QColor(203, 203, 184));
        // Shadow: the 3-pixel strips right of and below the text panel.
        const QRect panel = window.findChild<QWidget*>(QStringLiteral("supertext"))->geometry();
        QCOMPARE(image.pixelColor(panel.right() + 2, panel.center().y()), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(panel.center().x(), panel.bottom() + 2), QColor(128, 128, 128));
        // The caption above the name box: olive text over its light shadow.
        bool olive = false;
        bool shadow = false;
        for (int y = 50; y < 75; ++y)
            for (int x = 500; x < 760; ++x) {
                olive = olive || image.pixelColor(x, y) == QColor(128, 128, 0);
                shadow = shadow || image.pixelColor(x, y) == QColor(192, 192, 192);
            }
        QVERIFY(olive);
        QVERIFY(shadow);
    }

    // The first frame on the screen is already the finished window: nothing drawn at start-up
    // (the introduction included) comes after the first paint.
    void firstPaintedFrameIsFinal() {
        FeuilleP window(m_folder.path());
        QImage first;
        struct FirstPaint : QObject {
            std::function<void()> painted;
            bool eventFilter(QObject*, QEvent* event) override {
                // Taken once the whole window, children included, is on the screen.
                if (event->type() == QEvent::Paint && painted)
                    QTimer::singleShot(0, this, std::exchange(painted, nullptr));
                return false;
            }
        } probe;
        const auto onScreen = [&window] {
            return window.screen()->grabWindow(window.winId()).toImage();
        };
        probe.painted = [&] { first = onScreen(); };
        window.installEventFilter(&probe);
        window.show();
        QTRY_VERIFY(!first.isNull());
        QTest::qWait(1000);
        QVERIFY(
            !window.findChild<QTextEdit*>(QStringLiteral("supertext"))->toPlainText().isEmpty());
        const QImage later = onScreen();
        QCOMPARE(later.size(), window.size());
        QVERIFY(first == later);
        window.hide();
    }

    // A window that is never painted (started minimised, say) still says the module runs.
    void flagWrittenWithoutAPaint() {
        QTemporaryDir folder;
        FeuilleP window(folder.path());
        QTRY_COMPARE_WITH_TIMEOUT(flagBytes(folder.path()), QByteArray("\x03\x00OUI", 5), 5000);
    }

    void waterRunsWithTheVacuumFlask() {
        FeuilleP window(m_folder.path());
        const auto* timer1 = window.findChild<QTimer*>(QStringLiteral("Timer1"));
        QVERIFY(!timer1->isActive());
        window.model().click(FioleAVide);
        QVERIFY(timer1->isActive());
        window.model().click(Becher);
        QVERIFY(!timer1->isActive());
    }

    void closingAsks_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<int>>("answers");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<bool>("closed");
        const int ok = QMessageBox::Ok;
        const int cancel = QMessageBox::Cancel;
        QTest::newRow("unchanged, OK")
            << false << QList<int>{ok} << QStringList{"Fermer Alambix ?"} << true;
        QTest::newRow("unchanged, Cancel")
            << false << QList<int>{cancel} << QStringList{"Fermer Alambix ?"} << false;
        QTest::newRow("changed text, Cancel first")
            << true << QList<int>{cancel}
            << QStringList{"Attention: perte des modifications du texte."} << false;
        QTest::newRow("changed text, OK then Cancel")
            << true << QList<int>{ok, cancel}
            << QStringList{"Attention: perte des modifications du texte.", "Fermer Alambix ?"}
            << false;
        QTest::newRow("changed text, OK twice")
            << true << QList<int>{ok, ok}
            << QStringList{"Attention: perte des modifications du texte.", "Fermer Alambix ?"}
            << true;
    }

    void closingAsks() {
        QFETCH(bool, modified);
        QFETCH(QList<int>, answers);
        QFETCH(QStringList, questions);
        QFETCH(bool, closed);
        FeuilleP window(m_folder.path());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.exercise().setTextemodifie(modified);
        window.model().click(Ballon);
        std::deque<QMessageBox::StandardButton> queue;
        for (int answer : answers)
            queue.push_back(static_cast<QMessageBox::StandardButton>(answer));
        MessageCatcher answerer;
        answerer.queueAnswers(queue);
        QTest::mouseClick(window.findChild<QAbstractButton*>(QStringLiteral("Command1")),
                          Qt::LeftButton);
        QStringList asked;
        for (const auto& box : answerer.messages()) {
            asked << box.text;
            QCOMPARE(box.icon, QMessageBox::Question);
        }
        QCOMPARE(asked, questions);
        QCOMPARE(window.isVisible(), !closed);
        QCOMPARE(flagBytes(m_folder.path()).mid(2), closed ? QByteArray("NON") : QByteArray("OUI"));
        // Cancel keeps everything.
        QVERIFY(window.model().value(Ballon));
        QCOMPARE(window.exercise().textemodifie(), modified);
        window.hide();
    }

    void smallScreenHoldsTheWindow() {
        FeuilleP window(m_folder.path());
        const QRect screen = window.screen()->geometry();
        if (screen.width() >= 850) QSKIP("the rule only holds on screens narrower than 850 pixels");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        // The whole frame is on the screen from the start.
        QCOMPARE(window.frameGeometry().size(), QSize(800, 600));
        QVERIFY(screen.contains(window.frameGeometry()));
        QCOMPARE(window.contentOffset(), QPoint(0, 0));
        window.showMaximized();
        QTRY_COMPARE(window.windowState(), Qt::WindowNoState);
        QTRY_COMPARE(window.frameGeometry().size(), QSize(800, 600));
        window.resize(500, 300);
        QTRY_COMPARE(window.frameGeometry().size(), QSize(800, 600));
        QCOMPARE(window.frameGeometry().topLeft(),
                 QPoint(screen.x() + (screen.width() - 800) / 2,
                        screen.y() + (screen.height() - 600) / 2));
        window.hide();
    }

    void largeWindowGrowsItsContent() {
        FeuilleP window(m_folder.path());
        if (window.screen()->geometry().width() < 850)
            QSKIP("run on a screen of 850 pixels or more (the large-screen test entry)");
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        window.resize(1000, 700);
        QTRY_COMPARE(window.size(), QSize(1000, 700));
        // The content grows as one block, as large as the height allows, in the middle.
        QCOMPARE(window.contentScale(), 1.15);
        QCOMPARE(window.contentOffset(), QPoint(40, 5));
        QCOMPARE(window.findChild<QWidget*>(QStringLiteral("dessin"))->geometry(),
                 QRect(141, 69, 370, 564));
        QCOMPARE(window.findChild<QWidget*>(QStringLiteral("Command3"))->geometry(),
                 QRect(40, 5, 102, 47));
        // The gradient covers the whole client area, stretched down to its bottom line.
        const QImage image = window.grab().toImage();
        QCOMPARE(image.pixelColor(999, 0), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(999, 699), QColor(200, 200, 180));
        QCOMPARE(image.pixelColor(20, 350), image.pixelColor(980, 350));
        window.hide();
    }

private:
    QTemporaryDir m_folder;
};

QTEST_MAIN(FeuillePTest)
#include "feuillep_window_test.moc"
