// The key logic of the calculator, driven by control names as the window and the CLI do.
#include "core/calculatorkeys.h"

#include <QTest>

using namespace alambix;

namespace {
void pressAll(CalculatorKeys& keys, const QString& names) {
    for (const QString& name : names.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        QVERIFY2(keys.press(name), qPrintable(name));
}
} // namespace

class CalculatorKeysTest : public QObject {
    Q_OBJECT
private slots:
    void init() { CalculatorKeys::setMemoire(0); }

    void sequences_data() {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("saisie");
        QTest::newRow("EXE on nothing") << "EXE"
                                        << " 0"
                                        << "";
        QTest::newRow("sum") << "B2 plus B3 EXE"
                             << " 5"
                             << "";
        QTest::newRow("result continues through ANS") << "B2 plus B3 EXE multip B4 EXE"
                                                      << " 20"
                                                      << "";
        QTest::newRow("digit starts afresh") << "B2 plus B3 EXE B7"
                                             << "7"
                                             << "7";
        QTest::newRow("product needs a display") << "RAZ multip"
                                                 << ""
                                                 << "";
        QTest::newRow("plus needs a display") << "plus"
                                              << ""
                                              << "";
        QTest::newRow("division needs a display") << "div"
                                                  << ""
                                                  << "";
        QTest::newRow("minus starts a number") << "RAZ moins B4"
                                               << "-4"
                                               << "-4";
        QTest::newRow("minus after operator glues") << "B2 multip moins B3"
                                                    << "2 * -3"
                                                    << "2 * -3";
        QTest::newRow("minus after minus") << "moins moins"
                                           << "- -"
                                           << "- -";
        QTest::newRow("minus after subtraction") << "B5 moins moins"
                                                 << "5 - -"
                                                 << "5 - -";
        QTest::newRow("minus after parenthesis") << "Bpo moins"
                                                 << "(-"
                                                 << "(-";
        QTest::newRow("exponent minus") << "B5 BtoEXP moins B3"
                                        << "5E-3"
                                        << "5E-3";
        QTest::newRow("exponent plus") << "B5 BtoEXP plus B3"
                                       << "5E+3"
                                       << "5E+3";
        QTest::newRow("kilo") << "B5 kilo"
                              << "5E+3"
                              << "5E+3";
        QTest::newRow("all prefixes") << "B1 pico B1 nano B1 micro B1 mil B1 mega B1 giga B1 tera"
                                      << "1E-121E-91E-61E-31E+61E+91E+12"
                                      << "1E-121E-91E-61E-31E+61E+91E+12";
        QTest::newRow("implicit product") << "B2 Bcos"
                                          << "2 * cos "
                                          << "2 * cos ";
        QTest::newRow("no product after parenthesis") << "Bpo Bcos"
                                                      << "(cos "
                                                      << "(cos ";
        QTest::newRow("no product after function") << "bsin Bcos"
                                                   << "sin cos "
                                                   << "sin cos ";
        QTest::newRow("product after closing") << "Bpo B1 bpf Bpo"
                                               << "(1) * ("
                                               << "(1) * (";
        QTest::newRow("function words") << "invsin invcos Btoncommande3 Blog Bln Bexp racine"
                                        << "invSIN invCOS invTAN log ln exp SQR "
                                        << "invSIN invCOS invTAN log ln exp SQR ";
        QTest::newRow("pi") << "B2 pi"
                            << "2 * 3.14159265358979"
                            << "2 * 3.14159265358979";
        QTest::newRow("erase function") << "B2 Bcos EFFACE"
                                        << "2 * "
                                        << "2 * ";
        QTest::newRow("erase operator") << "B2 Bcos EFFACE EFFACE"
                                        << "2"
                                        << "2";
        QTest::newRow("erase long function") << "invsin EFFACE"
                                             << ""
                                             << "";
        QTest::newRow("erase after parenthesis") << "Bpo Bcos EFFACE"
                                                 << "("
                                                 << "(";
        QTest::newRow("erase digit") << "B1 B2 EFFACE"
                                     << "1"
                                     << "1";
        QTest::newRow("erase nothing") << "EFFACE"
                                       << ""
                                       << "";
        QTest::newRow("erase a glued power") << "B1 B0 btcarre EFFACE EFFACE"
                                             << "10"
                                             << "10";
        QTest::newRow("square") << "B1 B0 btcarre EXE"
                                << " 100"
                                << "";
        QTest::newRow("ten to the power") << "B10x B3 EXE"
                                          << " 1000"
                                          << "";
        QTest::newRow("inverse") << "Command5 B4 EXE"
                                 << " .25"
                                 << "";
        QTest::newRow("power of the result") << "B3 EXE puissance B3 EXE"
                                             << " 27"
                                             << "";
        QTest::newRow("square of the result") << "B3 EXE btcarre EXE"
                                              << " 9"
                                              << "";
        QTest::newRow("divide the result") << "B3 EXE div B2 EXE"
                                           << " 1.5"
                                           << "";
        QTest::newRow("sine in degrees") << "bsin B3 B0 EXE"
                                         << " .5"
                                         << "";
        QTest::newRow("cosine in radians") << "angle1 Bcos B0 EXE"
                                           << " 1"
                                           << "";
        QTest::newRow("back to degrees") << "angle1 angle0 invsin B1 EXE"
                                         << " 90"
                                         << "";
        QTest::newRow("arc sine in radians") << "angle1 invsin B1 EXE"
                                             << " 1.5707963267949"
                                             << "";
        QTest::newRow("scientific") << "C0 B1 B2 B3 B4 Bpoint B5 EXE"
                                    << "1.2345E+03"
                                    << "";
        QTest::newRow("scientific third") << "C0 B1 div B3 EXE"
                                          << "3.3333333E-01"
                                          << "";
        QTest::newRow("back to standard") << "C0 B1 B2 B3 B4 Bpoint B5 EXE C1"
                                          << " 1234.5"
                                          << "";
        QTest::newRow("to scientific after result") << "B1 B2 B3 B4 Bpoint B5 EXE C0"
                                                    << "1.2345E+03"
                                                    << "";
        QTest::newRow("mode change while typing") << "B5 C0"
                                                  << "5"
                                                  << "5";
        QTest::newRow("parentheses error") << "Bpo B2 plus B1 EXE"
                                           << "Erreur saisie: revoir les parenthèses"
                                           << "(2 + 1";
        QTest::newRow("error keeps the expression") << "Bpo B2 EXE bpf"
                                                    << "(2)"
                                                    << "(2)";
        QTest::newRow("operator error")
            << "B2 multip EXE"
            << "Erreur saisie: incompréhension sur opérateurs: ^ * / + -"
            << "2 * ";
        QTest::newRow("ANS after error") << "B2 multip EXE ANS"
                                         << "2 * "
                                         << "2 * ";
        QTest::newRow("group left open at the end") << "Bpo B2 EXE"
                                                    << "Calcul impossible"
                                                    << "(2";
        QTest::newRow("decimal result") << "B2 Bpoint B5 EXE"
                                        << " 2.5"
                                        << "";
        QTest::newRow("impossible") << "B1 div B0 EXE"
                                    << "Calcul impossible"
                                    << "1 / 0";
        QTest::newRow("overflow") << "B1 BtoEXP B4 B0 B0 EXE"
                                  << "Dépassement de capacité"
                                  << "";
        QTest::newRow("no ANS of the overflow message") << "B1 BtoEXP B4 B0 B0 EXE ANS"
                                                        << ""
                                                        << "";
        QTest::newRow("ANS") << "B4 B2 EXE ANS plus ANS"
                             << "42 + 42"
                             << "42 + 42";
        QTest::newRow("clear all") << "B4 B2 RAZ"
                                   << ""
                                   << "";
        QTest::newRow("memory") << "B5 EXE Command1 Command1 RAZ Command3"
                                << "10"
                                << "10";
        QTest::newRow("memory minus") << "B5 EXE Command2 RAZ Command3"
                                      << "-5"
                                      << "-5";
        QTest::newRow("memory reads the leading number") << "B7 plus B1 Command1 RAZ Command3"
                                                         << "7"
                                                         << "7";
        QTest::newRow("memory clear") << "B5 EXE Command1 Command4 Command3"
                                      << "0"
                                      << "0";
        QTest::newRow("memory in scientific") << "C0 B5 EXE Command1 RAZ Command3"
                                              << "5E+00"
                                              << "5E+00";
    }
    void sequences() {
        QFETCH(QString, keys);
        QFETCH(QString, display);
        QFETCH(QString, saisie);
        CalculatorKeys calculator;
        pressAll(calculator, keys);
        QCOMPARE(calculator.display(), display);
        QCOMPARE(calculator.saisie(), saisie);
    }

    void keyboard_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("display");
        QTest::newRow("sum and Enter") << "2+3\r"
                                       << " 5";
        QTest::newRow("exponent letters") << "1d2e3D4E"
                                          << "1E2E3E4E";
        QTest::newRow("backspace") << "12\b"
                                   << "1";
        QTest::newRow("all operators") << "(1)*2/3^4-5+6"
                                       << "(1) * 2 / 3 ^ 4 - 5 + 6";
        QTest::newRow("other keys do nothing") << "1xa =2"
                                               << "12";
        QTest::newRow("decimal comma") << "0,78*2\r"
                                       << " 1.56";
        QTest::newRow("star on an empty display") << "*"
                                                  << "";
        QTest::newRow("power on nothing") << "^"
                                          << " ^ ";
    }
    void keyboard() {
        QFETCH(QString, typed);
        QFETCH(QString, display);
        CalculatorKeys calculator;
        for (const QChar c : typed)
            calculator.typeKey(c == QLatin1Char('\r')   ? 13
                               : c == QLatin1Char('\b') ? 8
                                                        : c.unicode());
        QCOMPARE(calculator.display(), display);
    }

    void unknownKey() {
        CalculatorKeys calculator;
        QVERIFY(!calculator.press(QStringLiteral("B10")));
        QVERIFY(!CalculatorKeys::isKeyName(QStringLiteral("exe")));
        QVERIFY(CalculatorKeys::isKeyName(QStringLiteral("Btoncommande3")));
        QCOMPARE(CalculatorKeys::keyNames().size(), 53);
        QVERIFY(!calculator.typeKey(u'x'));
    }

    void beeps() {
        CalculatorKeys calculator;
        int beeps = 0;
        calculator.setBeep([&beeps] { ++beeps; });
        pressAll(calculator, QStringLiteral("B2 plus B3 EXE"));
        QCOMPARE(beeps, 0);
        pressAll(calculator, QStringLiteral("Bpo EXE"));
        QCOMPARE(beeps, 1);
        pressAll(calculator, QStringLiteral("RAZ B9 BtoEXP B9 B9 B9 EXE"));
        QCOMPARE(beeps, 2);
        QCOMPARE(calculator.erreur(), qint16(CalculReussi));
        QCOMPARE(calculator.reponse(), CalculatorKeys::messageDepassement);
    }

    void patienceShownWhileEvaluating() {
        CalculatorKeys calculator;
        QStringList shown;
        calculator.setDisplayChanged([&shown](const QString& text) { shown << text; });
        pressAll(calculator, QStringLiteral("B6 EXE"));
        QCOMPARE(shown, QStringList({"6", "    Patience... Calculs en cours.     ", " 6"}));
    }

    void evaluatorWatchesTheDisplay() {
        // A display emptied during the evaluation stops it.
        CalculatorKeys calculator;
        calculator.setDisplaySource([] { return QString(); });
        pressAll(calculator, QStringLiteral("B2 plus B3 EXE"));
        QCOMPARE(calculator.display(), CalculatorKeys::messageImpossible);
    }

    void memoryOutlivesTheCalculator() {
        {
            CalculatorKeys first;
            pressAll(first, QStringLiteral("B8 EXE Command1"));
        }
        CalculatorKeys second;
        pressAll(second, QStringLiteral("Command3"));
        QCOMPARE(second.display(), QStringLiteral("8"));
        QCOMPARE(CalculatorKeys::memoire(), 8.0);
    }

    void memoryOverflowLeavesMemory() {
        CalculatorKeys::setMemoire(1.5e308);
        CalculatorKeys calculator;
        int beeps = 0;
        calculator.setBeep([&beeps] { ++beeps; });
        pressAll(calculator, QStringLiteral("B1 BtoEXP B3 B0 B8 EXE Command1"));
        QCOMPARE(CalculatorKeys::memoire(), 1.5e308);
        QCOMPARE(calculator.display(), CalculatorKeys::messageDepassement);
        QCOMPARE(beeps, 1);
        pressAll(calculator, QStringLiteral("B1 BtoEXP B3 B0 B8 EXE Command2"));
        QCOMPARE(CalculatorKeys::memoire(), 1.5e308 - 1e308);
    }

    void modeChangeOnUnreadableAnswer() {
        // The largest double shows as a text beyond the range: no crash, a message.
        CalculatorKeys calculator;
        calculator.append(QStringLiteral("1.7976931348623157E308"));
        calculator.exe();
        QCOMPARE(calculator.display(), QStringLiteral(" 1.79769313486232E+308"));
        calculator.selectDisplay(0);
        QCOMPARE(calculator.display(), CalculatorKeys::messageDepassement);
    }
};

QTEST_GUILESS_MAIN(CalculatorKeysTest)
#include "calculatorkeys_test.moc"
