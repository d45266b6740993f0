// The calculator window, driven by real clicks and key presses.
#include "windows/calculator/machine_window.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace alambix;

namespace {
QPushButton* key(Machine& machine, const QString& name) {
    return machine.findChild<QPushButton*>(name);
}

QString shown(Machine& machine) {
    return machine.findChild<QPlainTextEdit*>(QStringLiteral("z1"))->toPlainText();
}

void click(Machine& machine, const QString& names) {
    for (const QString& name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        QAbstractButton* button = machine.findChild<QAbstractButton*>(name);
        QVERIFY2(button, qPrintable(name));
        QTest::mouseClick(button, Qt::LeftButton);
    }
}
} // namespace

class MachineWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() { CalculatorKeys::setMemoire(0); }

    void cleanup() {
        // No window may outlive its test.
        for (QWidget* widget : QApplication::topLevelWidgets())
            QVERIFY2(!widget->isVisible(), qPrintable(widget->objectName()));
    }

    void windowFrame() {
        Machine machine;
        QCOMPARE(machine.windowTitle(), QStringLiteral("Machine à calculer"));
        QCOMPARE(machine.size(), QSize(301, 430));
        QCOMPARE(machine.minimumSize(), machine.maximumSize());
        QCOMPARE(machine.findChildren<QPushButton*>().size(), 49);
    }

    void keyLayout_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tooltip");
        QTest::addColumn<QColor>("background");
        QTest::newRow("invsin") << "invsin" << QRect(16, 192, 56, 24) << "INV S&IN"
                                << "Inverse sinus" << QColor(128, 255, 255);
        QTest::newRow("Command1") << "Command1" << QRect(152, 192, 25, 25) << "M+"
                                  << "Ajouter à la mémoire" << QColor();
        QTest::newRow("racine") << "racine" << QRect(120, 224, 23, 24) << "√"
                                << "Racine carrée" << QColor(0, 128, 128);
        QTest::newRow("BtoEXP") << "BtoEXP" << QRect(168, 392, 32, 24) << "EXP"
                                << "× 10ˣ" << QColor(255, 255, 192);
        QTest::newRow("pi") << "pi" << QRect(184, 256, 24, 24) << "Π"
                            << "3.1415927" << QColor(192, 192, 192);
        QTest::newRow("Btoncommande3") << "Btoncommande3" << QRect(16, 256, 55, 24) << "INV T&AN"
                                       << "Inverse tangente" << QColor(128, 255, 255);
        QTest::newRow("B7") << "B7" << QRect(88, 296, 32, 24) << "7"
                            << "" << QColor(255, 224, 192);
        QTest::newRow("Bpoint") << "Bpoint" << QRect(128, 392, 32, 24) << "."
                                << "" << QColor(255, 224, 192);
        QTest::newRow("micro") << "micro" << QRect(16, 360, 24, 24) << "µ"
                               << "micro" << QColor(255, 255, 192);
        QTest::newRow("EFFACE") << "EFFACE" << QRect(216, 296, 32, 24) << "←"
                                << "Effacer dernier caractère" << QColor(255, 128, 128);
        QTest::newRow("div") << "div" << QRect(256, 328, 32, 24) << "÷"
                             << "" << QColor(0, 128, 128);
        QTest::newRow("EXE") << "EXE" << QRect(256, 392, 31, 24) << "EXE"
                             << "Calculer" << QColor(192, 192, 192);
    }
    void keyLayout() {
        QFETCH(QString, name);
        QFETCH(QRect, geometry);
        QFETCH(QString, caption);
        QFETCH(QString, tooltip);
        QFETCH(QColor, background);
        Machine machine;
        QPushButton* button = key(machine, name);
        QVERIFY(button);
        QCOMPARE(button->geometry(), geometry);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), tooltip);
        QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
        if (background.isValid()) QCOMPARE(button->palette().color(QPalette::Button), background);
    }

    void display() {
        Machine machine;
        auto* z1 = machine.findChild<QPlainTextEdit*>(QStringLiteral("z1"));
        QVERIFY(z1);
        QCOMPARE(z1->geometry(), QRect(16, 16, 273, 89));
        QCOMPARE(z1->palette().color(QPalette::Text), QColor(0, 255, 0));
        QCOMPARE(z1->palette().color(QPalette::Base), QColor(0, 0, 0));
    }

    void options() {
        Machine machine;
        const auto option = [&machine](const char* name) {
            return machine.findChild<QRadioButton*>(QString::fromLatin1(name));
        };
        QVERIFY(option("angle0")->isChecked());
        QVERIFY(!option("angle1")->isChecked());
        QVERIFY(option("C1")->isChecked());
        QCOMPARE(option("angle0")->text(), QStringLiteral("Degrés"));
        QCOMPARE(option("angle1")->text(), QStringLiteral("Radians"));
        QCOMPARE(option("C0")->text(), QStringLiteral("Scientifique"));
        QCOMPARE(option("C1")->text(), QStringLiteral("Standard"));
    }

    void clicks_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::newRow("sum") << "B2 plus B3 EXE"
                             << " 5";
        QTest::newRow("ANS step") << "B2 plus B3 EXE multip B4 EXE"
                                  << " 20";
        QTest::newRow("sine in degrees") << "bsin B3 B0 EXE"
                                         << " .5";
        QTest::newRow("radians") << "angle1 Bcos B0 EXE"
                                 << " 1";
        QTest::newRow("scientific") << "C0 B1 B2 B3 B4 Bpoint B5 EXE"
                                    << "1.2345E+03";
        QTest::newRow("standard again") << "C0 B1 B2 B3 B4 Bpoint B5 EXE C1"
                                        << " 1234.5";
        QTest::newRow("error message") << "Bpo B2 plus B1 EXE"
                                       << "Erreur saisie: revoir les parenthèses";
        QTest::newRow("erase") << "B2 Bcos EFFACE"
                               << "2 * ";
        QTest::newRow("memory") << "B5 EXE Command1 RAZ Command3"
                                << "5";
    }
    void clicks() {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        Machine machine;
        machine.show();
        QVERIFY(QTest::qWaitForWindowExposed(&machine));
        click(machine, keys);
        QCOMPARE(shown(machine), display);
        machine.close();
    }

    void keyboardOnWindowAndDisplay() {
        Machine machine;
        machine.show();
        QVERIFY(QTest::qWaitForWindowExposed(&machine));
        QTest::keyClicks(&machine, QStringLiteral("2*3"));
        QCOMPARE(shown(machine), QStringLiteral("2 * 3"));
        QTest::keyClick(&machine, Qt::Key_Return);
        QCOMPARE(shown(machine), QStringLiteral(" 6"));

        auto* z1 = machine.findChild<QPlainTextEdit*>(QStringLiteral("z1"));
        QTest::keyClicks(z1, QStringLiteral("7-2x"));
        QCOMPARE(shown(machine), QStringLiteral("7 - 2"));
        QTest::keyClick(z1, Qt::Key_Backspace);
        QCOMPARE(shown(machine), QStringLiteral("7 - "));
        QTest::keyClicks(z1, QStringLiteral("1e1"));
        QTest::keyClick(z1, Qt::Key_Enter);
        QCOMPARE(shown(machine), QStringLiteral("-3"));
        QVERIFY(z1->hasFocus());
        QCOMPARE(z1->textCursor().position(), 2);

        // Escape belongs to the calculator too: the window stays open.
        QTest::keyClick(z1, Qt::Key_Escape);
        QTest::keyClick(&machine, Qt::Key_Escape);
        QVERIFY(machine.isVisible());
        machine.close();
    }

    // The keyboard's comma and the keypad's decimal key, whatever character the layout gives it,
    // type the decimal point: "0,78*2" is 1.56, not 156.
    void decimalKeys_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("keypad");
        QTest::newRow("comma") << int(Qt::Key_Comma) << "," << false;
        QTest::newRow("keypad point") << int(Qt::Key_Period) << "." << true;
        QTest::newRow("keypad comma") << int(Qt::Key_Comma) << "," << true;
        QTest::newRow("keypad, another character") << int(Qt::Key_Period) << "٫" << true;
        QTest::newRow("keypad, no character") << int(Qt::Key_Comma) << "" << true;
    }

    void decimalKeys() {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(bool, keypad);
        Machine machine;
        machine.show();
        QVERIFY(QTest::qWaitForWindowExposed(&machine));
        auto* z1 = machine.findChild<QPlainTextEdit*>(QStringLiteral("z1"));
        const Qt::KeyboardModifiers modifiers = keypad ? Qt::KeypadModifier : Qt::NoModifier;
        QTest::keyClick(z1, Qt::Key_0);
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(z1, &press);
        QApplication::sendEvent(z1, &release);
        QTest::keyClicks(z1, QStringLiteral("78*2"));
        QCOMPARE(shown(machine), QStringLiteral("0.78 * 2"));
        QTest::keyClick(z1, Qt::Key_Return);
        QCOMPARE(shown(machine), QStringLiteral(" 1.56"));
        machine.close();
    }

    void accessKeysKeepTheOrder_data() {
        QTest::addColumn<int>("letter");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("display");
        QTest::newRow("Alt+S then 30") << int(Qt::Key_S) << "30"
                                       << "sin 30";
        QTest::newRow("Alt+L then 2") << int(Qt::Key_L) << "2"
                                      << "log 2";
    }

    void accessKeysKeepTheOrder() {
        QFETCH(int, letter);
        QFETCH(QString, typed);
        QFETCH(QString, display);
        Machine machine;
        machine.show();
        QVERIFY(QTest::qWaitForWindowActive(&machine));
        auto* z1 = machine.findChild<QPlainTextEdit*>(QStringLiteral("z1"));
        // The digits follow the access key at once, as a quick typist's do.
        QTest::keyClick(z1, static_cast<Qt::Key>(letter), Qt::AltModifier);
        QTest::keyClicks(z1, typed);
        QTest::qWait(200);
        QCOMPARE(shown(machine), display);
        machine.close();
    }

    void memoryOutlivesTheWindow() {
        {
            Machine first;
            first.show();
            click(first, QStringLiteral("B4 B2 EXE Command1"));
            first.close();
        }
        Machine second;
        second.show();
        click(second, QStringLiteral("Command3"));
        QCOMPARE(shown(second), QStringLiteral("42"));
        second.close();
    }

    void patienceWhileEvaluating() {
        Machine machine;
        machine.show();
        auto* z1 = machine.findChild<QPlainTextEdit*>(QStringLiteral("z1"));
        QStringList texts;
        connect(z1, &QPlainTextEdit::textChanged, this,
                [&texts, z1] { texts << z1->toPlainText(); });
        click(machine, QStringLiteral("B9 EXE"));
        QVERIFY(texts.contains(QStringLiteral("    Patience... Calculs en cours.     ")));
        QCOMPARE(texts.last(), QStringLiteral(" 9"));
        machine.close();
    }

    void paintedBackground() {
        Machine machine;
        machine.show();
        QVERIFY(QTest::qWaitForWindowExposed(&machine));
        const QImage image = machine.grab().toImage();
        // Gradient columns where no control lies.
        QCOMPARE(image.pixelColor(8, 200), QColor(196, 246, 246));
        QCOMPARE(image.pixelColor(295, 200), QColor(52, 102, 102));
        // Outline and the engraved frame around the digit keys.
        QCOMPARE(image.pixelColor(1, 200), QColor(0, 0, 0));
        QCOMPARE(image.pixelColor(299, 200), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(150, 428), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(206, 300), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(81, 300), QColor(0, 128, 128));
        QCOMPARE(image.pixelColor(150, 289), QColor(0, 128, 128));
        QCOMPARE(image.pixelColor(150, 421), QColor(255, 255, 255));
        machine.close();
    }

    void modalAndClosedThroughItsFrame() {
        Machine machine;
        QTimer::singleShot(0, this, [] {
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        });
        machine.exec();
        QVERIFY(!machine.isVisible());
    }
};

QTEST_MAIN(MachineWindowTest)
#include "machine_window_test.moc"
