// The starter pack as built: every exercise previews, its documents read with their pictures in
// proportion, its set-ups are named.
#include "core/exercisefile.h"
#include "core/recognition.h"
#include "core/setupfile.h"
#include "richtext/rtfreader.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>

using namespace alambix;

class PackTest : public QObject {
    Q_OBJECT
private slots:
    void exercise_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("lamps");
        QTest::addColumn<QString>("statementSetup");  // its name; "" for none
        QTest::addColumn<QString>("correctionSetup"); // "-" for no correction at all
        QTest::newRow("reflux") << "reflux"
                                << "Synthèse d'un arôme de banane" << 2 << ""
                                << "Chauffage à reflux";
        QTest::newRow("distillation") << "distillation"
                                      << "Séparer l'éthanol de l'eau" << 2 << ""
                                      << "Distillation";
        QTest::newRow("entrainement") << "entrainement"
                                      << "L'huile essentielle de lavande" << 1 << ""
                                      << "Entraînement à la vapeur";
        QTest::newRow("filtration") << "filtration"
                                    << "Récupérer un précipité bleu" << 1 << ""
                                    << "Filtration";
        QTest::newRow("filtrationvide") << "filtrationvide"
                                        << "Des cristaux d'aspirine bien secs" << 2 << ""
                                        << "Filtration sous vide";
        QTest::newRow("decantation") << "decantation"
                                     << "Extraire le diiode d'une solution" << 3 << ""
                                     << "Décantation";
        QTest::newRow("ccm") << "ccm"
                             << "Les colorants d'un sirop de menthe" << 1 << ""
                             << "Chromatographie sur couche mince";
        QTest::newRow("vin") << "vin"
                             << "Du vin à l'alcool : quel montage ?" << 3 << ""
                             << "-";
    }
    void exercise() {
        QFETCH(QString, name);
        const QString folder = QStringLiteral(ALAMBIX_PACK_DIR "/");
        const auto preview = previewExerciseFile(folder + name + ".E08");
        QVERIFY(preview);
        QTEST(preview->title, "title");
        QTEST(preview->litLamps(), "lamps");
        QVERIFY(!preview->notions.isEmpty());
        QFETCH(QString, correctionSetup);
        QCOMPARE(preview->corrected, correctionSetup != "-");

        for (const auto& document :
             {readStatement(folder + name + ".E08"), readCorrection(folder + name + ".E08")}) {
            QVERIFY(document);
            if (!document->text.isEmpty()) {
                QFile file(resolveInFolder(folder, document->text));
                QVERIFY(file.open(QIODevice::ReadOnly));
                QTextDocument text;
                QCOMPARE(readRtf(file, text), RtfReadError::None);
                QVERIFY(text.toPlainText().size() > 100);
                // Every picture is shown in the proportions of its own pixels.
                for (QTextBlock block = text.begin(); block.isValid(); block = block.next())
                    for (auto it = block.begin(); !it.atEnd(); ++it) {
                        if (!it.fragment().charFormat().isImageFormat()) continue;
                        const QTextImageFormat picture = it.fragment().charFormat().toImageFormat();
                        const QImage image =
                            text.resource(QTextDocument::ImageResource, QUrl(picture.name()))
                                .value<QImage>();
                        QVERIFY(!image.isNull());
                        QVERIFY2(qAbs(picture.width() / picture.height() -
                                      double(image.width()) / image.height()) < 0.005,
                                 qPrintable(document->text));
                    }
            }
        }
        const auto correction = readCorrection(folder + name + ".E08");
        if (correctionSetup != "-") {
            const SetupReadResult setup = readSetupFile(folder + correction->setup);
            QCOMPARE(setup.status, SetupReadStatus::Ok);
            QCOMPARE(recogniseSetup(valuesFromFlags(setup.flags)), correctionSetup);
        }
        // A statement's set-up is a start, never the answer.
        const auto statement = readStatement(folder + name + ".E08");
        if (!statement->setup.isEmpty()) {
            const SetupReadResult setup = readSetupFile(folder + statement->setup);
            QCOMPARE(setup.status, SetupReadStatus::Ok);
            QTEST(recogniseSetup(valuesFromFlags(setup.flags)), "statementSetup");
        }
    }
};

QTEST_GUILESS_MAIN(PackTest)
#include "pack_test.moc"
