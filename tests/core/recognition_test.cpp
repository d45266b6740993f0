// Recognition reads the fourteen values as they are, whatever the rules would allow.
#include "core/recognition.h"

#include <QTest>

using namespace alambix;

namespace {
SetupValues fromText(const QString& text) {
    SetupValues values{};
    for (int i = 0; i < ElementCount; ++i)
        values[static_cast<std::size_t>(i)] = text.at(i) == QLatin1Char('1');
    return values;
}
} // namespace

class RecognitionTest : public QObject {
    Q_OBJECT
private slots:
    void names_data() {
        QTest::addColumn<QString>("values");
        QTest::addColumn<QString>("name");
        //                                    01234567890123
        QTest::newRow("nothing") << "00000000000000"
                                 << "";
        QTest::newRow("lid needs only beaker, not the plate") << "01000000000001"
                                                              << "Chromatographie sur couche mince";
        QTest::newRow("lid with another receiver") << "11000000000011"
                                                   << "";
        QTest::newRow("lid selects its row first") << "01000100000001"
                                                   << "";
        QTest::newRow("filtration, two receivers") << "11000100000000"
                                                   << "Filtration";
        QTest::newRow("filtration ignores receivers' count") << "11100100000000"
                                                             << "Filtration";
        QTest::newRow("filtration with plate") << "01000100000010"
                                               << "";
        QTest::newRow("vacuum filtration ignores receivers") << "10001010000000"
                                                             << "Filtration sous vide";
        QTest::newRow("vacuum flask with funnel selects filtration row") << "00001110000000"
                                                                         << "";
        QTest::newRow("decantation with flask") << "00110001000000"
                                                << "";
        QTest::newRow("distillation ignores 6 and 8") << "10010010111100"
                                                      << "Distillation";
        QTest::newRow("steam distillation ignores thermometer") << "00110000010100"
                                                                << "Entraînement à la vapeur";
        QTest::newRow("steam distillation with plate") << "01010000010010"
                                                       << "";
        QTest::newRow("reflux needs everything else off") << "00010000100001"
                                                          << "";
        QTest::newRow("reflux with thermometer") << "00010000100100"
                                                 << "";
        QTest::newRow("column on, thermometer off") << "10010000011000"
                                                    << "";
    }

    void names() {
        QFETCH(QString, values);
        QFETCH(QString, name);
        QCOMPARE(recogniseSetup(fromText(values)), name);
    }
};

QTEST_GUILESS_MAIN(RecognitionTest)
#include "recognition_test.moc"
