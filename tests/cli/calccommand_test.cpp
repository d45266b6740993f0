// `alambix-cli calc`, run as a separate process as scripts run it.
#include "support/processes.h"

#include <QTest>

class CalcCommandTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(!qEnvironmentVariableIsEmpty("ALAMBIX_CLI")); }

    void outputs_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        QTest::newRow("one") << QStringList{"2 + 3 * 4"} << " 14\n";
        QTest::newRow("several") << QStringList{"2 - 3 + 4", "8 / 2 * 4", "2 ^ 3 ^ 2"}
                                 << " 3\n 16\n 64\n";
        QTest::newRow("rounding") << QStringList{"1 / 3 * 3"} << " .999999999999999\n";
        QTest::newRow("E notation") << QStringList{"1 / 100000", "1 / 10000"} << " 1E-05\n .0001\n";
        QTest::newRow("empty expression") << QStringList{""} << " 0\n";
        QTest::newRow("degrees") << QStringList{"cos 60", "invSIN 1"} << " .5\n 90\n";
        QTest::newRow("radians") << QStringList{"--radians", "cos 60", "invSIN 1"}
                                 << "-.952412980415156\n 1.5707963267949\n";
        QTest::newRow("options after expressions")
            << QStringList{"invSIN 1", "--radians"} << " 1.5707963267949\n";
        QTest::newRow("scientific")
            << QStringList{"--scientific", "1234.5", "1 / 3"} << "1.2345E+03\n3.3333333E-01\n";
        QTest::newRow("decimal comma")
            << QStringList{"0,78*2", "1,5E-1 * 2", "(1,25)"} << " 1.56\n .3\n 1.25\n";
        QTest::newRow("leading minus") << QStringList{"-2 ^ 2"} << " 4\n";
        QTest::newRow("double dash") << QStringList{"--", "--3", "--radians"} << " 3\n 0\n";
        QTest::newRow("messages") << QStringList{"(2 + 3", "2 * ", "1 / 0", "1E400"}
                                  << "Erreur saisie: revoir les parenthèses\n"
                                     "Erreur saisie: incompréhension sur opérateurs: ^ * / + -\n"
                                     "Calcul impossible\nDépassement de capacité\n";
        QTest::newRow("pass cap") << QStringList{QString("sin (").repeated(101) + "0" +
                                                 QString(101, QLatin1Char(')'))}
                                  << "Calcul impossible\n";
        // control names pressed
        QTest::newRow("final display")
            << QStringList{"--keys", "B2", "plus", "B3", "EXE"} << " 5\n";
        QTest::newRow("trace") << QStringList{"--keys", "--trace", "B2", "plus", "B3",
                                              "EXE",    "multip",  "B4", "EXE"}
                               << "2\n2 + \n2 + 3\n 5\n5 * \n5 * 4\n 20\n";
        QTest::newRow("options") << QStringList{"--keys", "angle1", "C0", "invsin", "B1", "EXE"}
                                 << "1.5707963E+00\n";
        QTest::newRow("memory starts at zero") << QStringList{"--keys", "Command3"} << "0\n";
        QTest::newRow("memory") << QStringList{"--keys",   "B5",  "EXE",     "Command1",
                                               "Command1", "RAZ", "Command3"}
                                << "10\n";
        QTest::newRow("error then ANS")
            << QStringList{"--keys", "B2", "multip", "EXE", "ANS"} << "2 * \n";
        QTest::newRow("empty display after AC")
            << QStringList{"--keys", "B2", "RAZ", "multip"} << "\n";
        QTest::newRow("scientific then standard")
            << QStringList{"--keys", "C0", "B1", "B2", "B3", "B4", "Bpoint", "B5", "EXE", "C1"}
            << " 1234.5\n";
    }
    void outputs() {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        const Run result = runCli(QStringList{"calc"} + args);
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(result.out, out);
    }

    void wrongArguments_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("unknown key") << QStringList{"--keys", "B2", "B10", "EXE"};
        QTest::newRow("key names are exact") << QStringList{"--keys", "exe"};
        QTest::newRow("unknown option") << QStringList{"--degrees", "1"};
        QTest::newRow("nothing to evaluate") << QStringList{};
        QTest::newRow("no keys") << QStringList{"--keys"};
        QTest::newRow("trace without keys") << QStringList{"--trace", "1"};
    }
    void wrongArguments() {
        QFETCH(QStringList, args);
        const Run result = runCli(QStringList{"calc"} + args);
        QCOMPARE(result.exitCode, 2);
        QVERIFY(result.out.isEmpty());
        QVERIFY(result.err.contains(QLatin1String("usage")));
    }
};

QTEST_GUILESS_MAIN(CalcCommandTest)
#include "calccommand_test.moc"
