// "Vérifier mon montage" on opened exercises, without a window: the starter pack and exercises
// built here, what the session allows, the hints counted per exercise, and the failures.
#include "core/elements.h"
#include "core/explain.h"
#include "core/setupfile.h"
#include "session/exerciseopening.h"
#include "session/exercisesession.h"
#include "session/setupcheck.h"
#include "session/setupdocument.h"
#include "support/files.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace alambix;

namespace {
const QString packFolder = QStringLiteral(ALAMBIX_PACK_DIR "/");
} // namespace

class SessionCheckTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void pack_data();
    void pack();
    void built_data();
    void built();
    void checksBelongToTheExercise();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    bool open(const QString& file) {
        m_session->setRepexo(QFileInfo(file).absolutePath());
        ExerciseTarget target{*m_session, *m_panel, *m_setup, [this] { load(m_setup->path()); }};
        return openStatement(target, file, true).status == OpeningStatus::Opened;
    }
    void load(const QString& setupFile) {
        const SetupReadResult read = readSetupFile(setupFile);
        if (read.status == SetupReadStatus::Ok)
            applySetup(m_setup->model(), valuesFromFlags(read.flags));
    }
    SetupCheck check() { return checkSetup(*m_session, m_setup->model().values()); }

    QTemporaryDir m_dir;
    std::unique_ptr<ExerciseSession> m_session;
    std::unique_ptr<QTextDocument> m_panel;
    std::unique_ptr<SetupDocument> m_setup;
};

void SessionCheckTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY(putFile(path("enonce.rtf"), "{\\rtf1 Enonc\\'e9\\par}"));
    QVERIFY(putFile(path("corrige.rtf"), "{\\rtf1 Corrig\\'e9\\par}"));
    QVERIFY(putFile(path("decantation.C03"), setupBytes("01000001000000")));
    // The thermometer stands on nothing: the rules take it away, as the correction shows it.
    QVERIFY(putFile(path("sanscolonne.C03"), setupBytes("00110000010100")));
    QVERIFY(putFile(path("autre.C03"), record("AUTRE CHOSE") + record("00010000000000")));
    QVERIFY(putFile(path("good.E08"),
                    exerciseBytes({"enonce.rtf", "", "corrige.rtf", "DECANTATION.c03"})));
    QVERIFY(putFile(path("unkept.E08"), exerciseBytes({"enonce.rtf", "", "", "sanscolonne.C03"})));
    QVERIFY(putFile(path("gone.E08"), exerciseBytes({"enonce.rtf", "", "", "absent.C03"})));
    QVERIFY(putFile(path("other.E08"), exerciseBytes({"enonce.rtf", "", "", "autre.C03"})));
    QVERIFY(putFile(path("textonly.E08"), exerciseBytes({"enonce.rtf", "", "corrige.rtf", "  "})));
}

void SessionCheckTest::init() {
    m_session = std::make_unique<ExerciseSession>();
    m_panel = std::make_unique<QTextDocument>();
    m_setup = std::make_unique<SetupDocument>();
}

void SessionCheckTest::pack_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // the correction's set-up; "" for none
    QTest::addColumn<QString>("greeting");
    QTest::newRow("reflux") << "reflux"
                            << "00010000100000"
                            << "Bravo ! C'est le bon montage : un chauffage à reflux.";
    QTest::newRow("distillation") << "distillation"
                                  << "00110000011100"
                                  << "Bravo ! C'est le bon montage : une distillation.";
    QTest::newRow("entrainement") << "entrainement"
                                  << "00110000010000"
                                  << "Bravo ! C'est le bon montage : un entraînement à la vapeur.";
    QTest::newRow("filtration") << "filtration"
                                << "00100100000000"
                                << "Bravo ! C'est le bon montage : une filtration.";
    QTest::newRow("decantation") << "decantation"
                                 << "01000001000000"
                                 << "Bravo ! C'est le bon montage : une décantation.";
    QTest::newRow("filtrationvide") << "filtrationvide"
                                    << "00001010000000"
                                    << "Bravo ! C'est le bon montage : une filtration sous vide.";
    QTest::newRow("ccm") << "ccm"
                         << "01000000000011"
                         << "Bravo ! C'est le bon montage : une chromatographie sur couche mince.";
    QTest::newRow("vin") << "vin"
                         << ""
                         << "";
}

void SessionCheckTest::pack() {
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QVERIFY(open(packFolder + name + ".E08"));
    if (expected.isEmpty()) {
        QVERIFY(!m_session->canCheckSetup());
        const SetupCheck none = check();
        QCOMPARE(none.status, CheckStatus::NoExpectedSetup);
        QCOMPARE(checkMessage(none).text,
                 QStringLiteral("Cet exercice n'a pas de montage corrigé : il n'y a pas de montage "
                                "auquel comparer le vôtre."));
        QCOMPARE(m_session->hintLadder().checks(), 0);
        return;
    }
    QVERIFY(m_session->canCheckSetup());
    QCOMPARE(m_session->expectedSetup(), packFolder + name + "-corrige.C03");
    // The set-up the statement starts from is never the answer.
    const SetupCheck first = check();
    QCOMPARE(first.status, CheckStatus::Checked);
    QCOMPARE(first.number, 1);
    QCOMPARE(first.rung, HintRung::HowMany);
    QCOMPARE(first.text, setupHint(first.difference, HintRung::HowMany));
    for (int k : first.difference.missing)
        QCOMPARE(expected.at(k), QLatin1Char('1'));
    for (int k : first.difference.extra)
        QCOMPARE(expected.at(k), QLatin1Char('0'));

    // Mended by the pieces the hints name, click by click.
    for (const auto* pieces : {&first.difference.extra, &first.difference.missing})
        for (int k : *pieces)
            QVERIFY(m_setup->model().click(k));
    const SetupCheck right = check();
    QCOMPARE(setupText(m_setup->model().values()), expected);
    QCOMPARE(right.number, 2);
    QVERIFY(!right.rung);
    QTEST(right.text, "greeting");

    // Once the correction shows the answer, there is nothing left to check.
    QSignalSpy changed(m_session.get(), &ExerciseSession::checkingChanged);
    ExerciseTarget target{*m_session, *m_panel, *m_setup, [this] { load(m_setup->path()); }};
    QCOMPARE(openCorrection(target).status, OpeningStatus::Opened);
    QVERIFY(!m_session->canCheckSetup());
    QCOMPARE(changed.size(), 1);
}

void SessionCheckTest::built_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("clicks"); // the pupil's
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("text"); // when it compared
    const QString unreadable =
        QStringLiteral("Le montage corrigé de cet exercice ne peut pas être lu :\n");
    QTest::newRow("names in another case, wrong")
        << "good.E08"
        << "0,7"
        << ""
        << "Ce n'est pas encore le bon montage : 2 pièces sont à revoir.";
    QTest::newRow("names in another case, right")
        << "good.E08"
        << "1,7"
        << ""
        << "Bravo ! C'est le bon montage : une décantation.";
    QTest::newRow("expected as the rules keep it")
        << "unkept.E08"
        << "2,3,9"
        << ""
        << "Bravo ! C'est le bon montage : un entraînement à la vapeur.";
    QTest::newRow("correction set-up missing")
        << "gone.E08"
        << ""
        << unreadable + path("absent.C03") + "\nNom de fichier incorrect ou chemin non valide."
        << "";
    QTest::newRow("correction set-up of another program")
        << "other.E08"
        << ""
        << unreadable + path("autre.C03") + "\nCe fichier ne correspond pas à cette application."
        << "";
    QTest::newRow("correction text only")
        << "textonly.E08"
        << ""
        << "Cet exercice n'a pas de montage corrigé : il n'y a pas de montage auquel comparer le "
           "vôtre."
        << "";
}

void SessionCheckTest::built() {
    QFETCH(QString, file);
    QFETCH(QString, clicks);
    QFETCH(QString, message);
    QVERIFY(open(path(file)));
    QCOMPARE(m_session->canCheckSetup(), file != QLatin1String("textonly.E08"));
    for (const QString& k : clicks.split(QLatin1Char(','), Qt::SkipEmptyParts))
        QVERIFY(m_setup->model().click(k.toInt()));
    const SetupCheck checked = check();
    QCOMPARE(checkMessage(checked).text, message);
    QTEST(checked.text, "text");
    // A check that could not compare is not counted.
    QCOMPARE(m_session->hintLadder().checks(), message.isEmpty() ? 1 : 0);
}

void SessionCheckTest::checksBelongToTheExercise() {
    QVERIFY(open(path("good.E08")));
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(check().number, n);
    // The same exercise opened again starts the count again.
    QVERIFY(open(path("good.E08")));
    QCOMPARE(check().rung, HintRung::HowMany);
    // "Retrouver un texte" and "Fermer l'exercice" leave no exercise to check.
    QSignalSpy changed(m_session.get(), &ExerciseSession::checkingChanged);
    m_session->setFich(QStringLiteral("Texte: ") + path("enonce.rtf"));
    QVERIFY(!m_session->canCheckSetup());
    QCOMPARE(changed.size(), 1);
    QCOMPARE(check().status, CheckStatus::NoExpectedSetup);
    QVERIFY(open(path("good.E08")));
    m_session->setFich(QString());
    QVERIFY(!m_session->canCheckSetup());
}

QTEST_MAIN(SessionCheckTest)
#include "setupcheck_test.moc"
