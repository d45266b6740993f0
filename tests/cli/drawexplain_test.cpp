// alambix-cli draw --explain, run as a separate process.
#include "support/processes.h"

#include <QTest>

class DrawExplainTest : public QObject {
    Q_OBJECT
private slots:
    void explains_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("out");
        const QString threeLines =
            QStringLiteral("name: \nelements: 00100000000000\nenabled: 11111101111000\n");
        QTest::newRow("without the option, as before")
            << QStringList{"--click", "1,12,13,2"} << threeLines;
        QTest::newRow("the last click's switch-offs")
            << QStringList{"--click", "1,12,13,2", "--explain"}
            << threeLines + QStringLiteral(
                                "removed: 1 Un seul récipient recueille le produit : le Bécher a "
                                "été retiré.\n"
                                "removed: 12 La plaque de chromatographie se développe dans le "
                                "bécher : sans le Bécher, la Plaque chromato. a été retirée.\n"
                                "removed: 13 Le couvercle ferme le bécher pendant que la plaque se "
                                "développe : sans la Plaque chromato., le Couvercle a été retiré.\n"
                                "nearest: Filtration: 5\nnearest: Décantation: 7\n");
        QTest::newRow("only the last click counts")
            << QStringList{"--explain", "--click", "1,2,0"}
            << QStringLiteral("name: \nelements: 10000000000000\nenabled: 11111101111000\n"
                              "removed: 2 Un seul récipient recueille le produit : l'Erlenmeyer a "
                              "été retiré.\n"
                              "nearest: Filtration: 5\nnearest: Décantation: 7\n");
        QTest::newRow("a refused click removes nothing")
            << QStringList{"--explain", "--click", "1,2,6"}
            << threeLines + QStringLiteral("nearest: Filtration: 5\nnearest: Décantation: 7\n");
        QTest::newRow("named: nothing to click")
            << QStringList{"--explain", "--click", "3,8"}
            << QStringLiteral(
                   "name: Chauffage à reflux\nelements: 00010000100000\nenabled: 11111101111000\n"
                   "nearest: Chauffage à reflux: \n");
        QTest::newRow("several clicks to make")
            << QStringList{"--explain", "--click", "3,8,3,N"}
            << QStringLiteral(
                   "name: \nelements: 00000000000000\nenabled: 11111101111000\n"
                   "nearest: Filtration: 0,5\nnearest: Décantation: 0,7\n"
                   "nearest: Chauffage à reflux: 3,8\nnearest: Filtration sous vide: 4,6\n");
    }

    void explains() {
        QFETCH(QStringList, args);
        QFETCH(QString, out);
        const Run run = runCli(QStringList{"draw"} + args);
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, out);
    }
};

QTEST_GUILESS_MAIN(DrawExplainTest)
#include "drawexplain_test.moc"
