// The set-up model: coupling rules, availability rules and recognition, driven by clicks.
#include "core/recognition.h"
#include "core/setupmodel.h"

#include <QSignalSpy>
#include <QTest>

using namespace alambix;

namespace {
// Applies a click list such as "3,8" or "1,12,13,N"; "N" is "&Nouveau".
void clickAll(SetupModel& model, const QString& clicks) {
    for (const QString& token : clicks.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (token == QLatin1String("N"))
            model.clearAll();
        else
            model.click(token.toInt());
    }
}
} // namespace

class SetupModelTest : public QObject {
    Q_OBJECT
private slots:
    void startsEmptyWithDependentsGreyed() {
        SetupModel model;
        QCOMPARE(setupText(model.values()), QStringLiteral("00000000000000"));
        QCOMPARE(setupText(model.enabledStates()), QStringLiteral("11111101111000"));
        QCOMPARE(model.values(), SetupValues{});
        QCOMPARE(recogniseSetup(model.values()), QString());
    }

    void clicks_data() {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("elements");
        QTest::addColumn<QString>("enabled");
        QTest::addColumn<QString>("name");

        // Every named set-up, built in more than one order.
        QTest::newRow("chromatography") << "1,12,13"
                                        << "01000000000011"
                                        << "11111101111011"
                                        << "Chromatographie sur couche mince";
        QTest::newRow("plate without lid") << "1,12"
                                           << "01000000000010"
                                           << "11111101111011"
                                           << "";
        QTest::newRow("filtration glass") << "0,5"
                                          << "10000100000000"
                                          << "11111101111000"
                                          << "Filtration";
        QTest::newRow("filtration funnel first") << "5,1"
                                                 << "01000100000000"
                                                 << "11111101111010"
                                                 << "Filtration";
        QTest::newRow("filtration erlenmeyer") << "5,2"
                                               << "00100100000000"
                                               << "11111101111000"
                                               << "Filtration";
        QTest::newRow("funnel alone") << "5"
                                      << "00000100000000"
                                      << "11111101111000"
                                      << "";
        QTest::newRow("vacuum filtration") << "4,6"
                                           << "00001010000000"
                                           << "11111111111000"
                                           << "Filtration sous vide";
        QTest::newRow("vacuum filtration from flask") << "3,4,6"
                                                      << "00001010000000"
                                                      << "11111111111000"
                                                      << "Filtration sous vide";
        QTest::newRow("vacuum flask alone") << "4"
                                            << "00001000000000"
                                            << "11111111111000"
                                            << "";
        QTest::newRow("decantation") << "2,7"
                                     << "00100001000000"
                                     << "11111101111000"
                                     << "Décantation";
        QTest::newRow("decantation funnel first") << "7,2"
                                                  << "00100001000000"
                                                  << "11111101111000"
                                                  << "Décantation";
        QTest::newRow("distillation") << "0,3,10,9,11"
                                      << "10010000011100"
                                      << "11111101111100"
                                      << "Distillation";
        QTest::newRow("distillation column first") << "10,11,3,9,1"
                                                   << "01010000011100"
                                                   << "11111101111110"
                                                   << "Distillation";
        QTest::newRow("distillation with plate") << "1,3,9,10,11,12"
                                                 << "01010000011110"
                                                 << "11111101111111"
                                                 << "";
        QTest::newRow("column without thermometer") << "0,3,9,10"
                                                    << "10010000011000"
                                                    << "11111101111100"
                                                    << "";
        QTest::newRow("steam distillation") << "2,3,9"
                                            << "00110000010000"
                                            << "11111101111000"
                                            << "Entraînement à la vapeur";
        QTest::newRow("steam distillation condenser first") << "9,3,2"
                                                            << "00110000010000"
                                                            << "11111101111000"
                                                            << "Entraînement à la vapeur";
        QTest::newRow("no receiver") << "3,9"
                                     << "00010000010000"
                                     << "11111101111000"
                                     << "";
        QTest::newRow("reflux") << "3,8"
                                << "00010000100000"
                                << "11111101111000"
                                << "Chauffage à reflux";
        QTest::newRow("reflux condenser first") << "8,3"
                                                << "00010000100000"
                                                << "11111101111000"
                                                << "Chauffage à reflux";
        QTest::newRow("reflux with glass") << "0,3,8"
                                           << "10010000100000"
                                           << "11111101111000"
                                           << "";

        // Cascades of the rules.
        QTest::newRow("erlenmeyer takes beaker, plate and lid") << "1,12,13,2"
                                                                << "00100000000000"
                                                                << "11111101111000"
                                                                << "";
        QTest::newRow("vacuum flask drops flask and condenser") << "3,9,4"
                                                                << "00001000000000"
                                                                << "11111111111000"
                                                                << "";
        QTest::newRow("flask drops vacuum flask and buchner") << "3,9,4,6,3"
                                                              << "00010000000000"
                                                              << "11111101111000"
                                                              << "";
        QTest::newRow("straight condenser keeps column") << "10,9"
                                                         << "00000000011000"
                                                         << "11111101111100"
                                                         << "";
        QTest::newRow("bulb condenser drops column and thermometer") << "10,11,8"
                                                                     << "00000000100000"
                                                                     << "11111101111000"
                                                                     << "";
        QTest::newRow("column drops funnel") << "5,10"
                                             << "00000000001000"
                                             << "11111101111100"
                                             << "";
        QTest::newRow("beaker off drops plate and lid") << "1,12,13,1"
                                                        << "00000000000000"
                                                        << "11111101111000"
                                                        << "";
        QTest::newRow("clicks on greyed buttons do nothing") << "6,11,12,13"
                                                             << "00000000000000"
                                                             << "11111101111000"
                                                             << "";
        QTest::newRow("new set-up") << "3,8,N"
                                    << "00000000000000"
                                    << "11111101111000"
                                    << "";
        QTest::newRow("name goes when set-up changes") << "3,8,0"
                                                       << "10010000100000"
                                                       << "11111101111000"
                                                       << "";
        QTest::newRow("buchner takes the upper piece") << "4,5,6"
                                                       << "00001010000000"
                                                       << "11111111111000"
                                                       << "Filtration sous vide";
        QTest::newRow("receiver drops vacuum flask") << "4,6,1"
                                                     << "01000000000000"
                                                     << "11111101111010"
                                                     << "";
    }

    void clicks() {
        QFETCH(QString, clicks);
        QFETCH(QString, elements);
        QFETCH(QString, enabled);
        QFETCH(QString, name);
        SetupModel model;
        clickAll(model, clicks);
        QCOMPARE(setupText(model.values()), elements);
        QCOMPARE(setupText(model.enabledStates()), enabled);
        QCOMPARE(recogniseSetup(model.values()), name);
    }

    void clickTogglesBackOff() {
        SetupModel model;
        QVERIFY(model.click(Ballon));
        QVERIFY(model.value(Ballon));
        QVERIFY(model.click(Ballon));
        QVERIFY(!model.value(Ballon));
        QVERIFY(!model.click(Thermometre));
    }

    void setToSameValueRunsNothing() {
        SetupModel model;
        QSignalSpy spy(&model, &SetupModel::changed);
        model.setValue(Becher, false);
        model.clearAll();
        QCOMPARE(spy.count(), 0);
        model.setValue(Becher, true);
        QCOMPARE(spy.count(), 1);
        model.setValue(Becher, true);
        QCOMPARE(spy.count(), 1);
    }

    void newSetupRedrawsOncePerElementSwitchedOff() {
        SetupModel model;
        clickAll(model, QStringLiteral("0,3,9"));
        QCOMPARE(setupText(model.values()), QStringLiteral("10010000010000"));
        QSignalSpy spy(&model, &SetupModel::changed);
        model.clearAll();
        QCOMPARE(spy.count(), 3);
        QCOMPARE(model.values(), SetupValues{});
    }

    // Programmatic writes (the file loader) set values whatever the enabled state, and the
    // availability rules then take back what cannot stand.
    void programmaticWritesFollowTheRules_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("elements");
        QTest::newRow("thermometer without column") << "00000000000100"
                                                    << "00000000000000";
        QTest::newRow("lid without beaker") << "00000000000001"
                                            << "00000000000000";
        QTest::newRow("beaker, plate and lid") << "01000000000011"
                                               << "01000000000011";
        QTest::newRow("distillation as saved") << "10010000011100"
                                               << "10010000011100";
        QTest::newRow("later receiver wins") << "11100000000000"
                                             << "00100000000000";
        QTest::newRow("buchner without vacuum flask") << "00000010000000"
                                                      << "00000000000000";
        QTest::newRow("vacuum flask and buchner") << "00001010000000"
                                                  << "00001010000000";
        QTest::newRow("vacuum flask then condensers") << "00001000110000"
                                                      << "00000000010000";
    }

    void programmaticWritesFollowTheRules() {
        QFETCH(QString, flags);
        QFETCH(QString, elements);
        SetupModel model;
        for (int i = 0; i < ElementCount; ++i)
            model.setValue(i, flags.at(i) == QLatin1Char('1'));
        QCOMPARE(setupText(model.values()), elements);
    }
};

QTEST_GUILESS_MAIN(SetupModelTest)
#include "setupmodel_test.moc"
