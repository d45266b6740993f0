// `alambix-cli formula`, run as a separate process as scripts run it.
#include "support/processes.h"

#include <QTest>

class FormulaCommandTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(!qEnvironmentVariableIsEmpty("ALAMBIX_CLI")); }

    void formats_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");
        QTest::newRow("one line a text")
            << QStringList{"formula", "H2SO4 et Fe3+", "2H2 + O2 -> 2H2O", "pH"} << 0
            << "H_{2}SO_{4} et Fe^{3+}\n2H_{2} + O_{2} → 2H_{2}O\npH\n";
        QTest::newRow("accents and signs kept")
            << QStringList{"formula", "réagit à 25 °C : SO42− ⇌ …"} << 0
            << "réagit à 25 °C : SO_{4}^{2−} ⇌ …\n";
        QTest::newRow("double dash")
            << QStringList{"formula", "--", "--x", "->"} << 0 << "--x\n->\n";
        QTest::newRow("single dash is text") << QStringList{"formula", "-"} << 0 << "-\n";
        QTest::newRow("unknown option") << QStringList{"formula", "--html", "H2O"} << 2 << "";
        QTest::newRow("no text") << QStringList{"formula"} << 2 << "";
        QTest::newRow("only the double dash") << QStringList{"formula", "--"} << 2 << "";
    }
    void formats() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        const Run result = runCli(args);
        QCOMPARE(result.exitCode, exitCode);
        QCOMPARE(result.out, out);
        QCOMPARE(result.err.isEmpty(), exitCode == 0);
    }
};

QTEST_APPLESS_MAIN(FormulaCommandTest)
#include "formulacommand_test.moc"
