// alambix-cli exercise, run as a separate process on the starter pack and on damaged exercises.
#include "support/files.h"
#include "support/processes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString pack = QStringLiteral(ALAMBIX_PACK_DIR "/");
} // namespace

class ExerciseCommandTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void outputs_data();
    void outputs();
    void failures_data();
    void failures();
    void check_data();
    void check();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QTemporaryDir m_dir;
};

void ExerciseCommandTest::initTestCase() {
    QVERIFY2(QFile::exists(qEnvironmentVariable("ALAMBIX_CLI")), "ALAMBIX_CLI is not set");
    QVERIFY(m_dir.isValid());
    QVERIFY(putFile(path("enonce.rtf"), "{\\rtf1 Enonc\\'e9\\par}"));
    QVERIFY(putFile(path("pas-un-montage.C03"), record("AUTRE CHOSE") + record("00010000000000")));
    QVERIFY(
        putFile(path("escapes.E08"), exerciseBytes({"enonce.rtf", "", "", "", "1", "", "a\tb\\c",
                                                    "", "", "", "Ligne\r\nsuivante"})));
    QVERIFY(putFile(path("badsetup.E08"), exerciseBytes({"enonce.rtf", "pas-un-montage.C03"})));
    QVERIFY(putFile(path("absent.E08"), exerciseBytes({"absent.rtf"})));
    QVERIFY(putFile(path("corrabsent.E08"), exerciseBytes({"enonce.rtf", "", "absent.rtf"})));
    QVERIFY(putFile(path("damaged.E08"), record("enonce.rtf") + record(127, "x")));
    QVERIFY(putFile(path("badcorrection.E08"),
                    exerciseBytes({"enonce.rtf", "", "", "pas-un-montage.C03"})));
}

void ExerciseCommandTest::outputs_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("head");     // the lines before the set-up's
    QTest::addColumn<QString>("setup");    // the set-up, as `draw --load` shows it; empty: none
    QTest::addColumn<QString>("errorOut"); // stderr
    QTest::newRow("statement and its set-up")
        << QStringList{pack + "reflux.E08"}
        << "title: Synthèse d'un arôme de banane\nlamps: 2\ncorrected: Exercice corrigé\n"
           "notions: Chauffage à reflux ; rôle du réfrigérant à boules ; estérification ; "
           "circulation de l'eau.\ntext: " +
               pack + "reflux.rtf\neditable: yes\ncaption: Alambix - " + pack + "reflux.C03\n"
        << pack + "reflux.C03"
        << "";
    QTest::newRow("correction")
        << QStringList{QStringLiteral("--correction"), pack + "reflux.E08"}
        << "title: Synthèse d'un arôme de banane\nlamps: 2\ncorrected: Exercice corrigé\n"
           "notions: Chauffage à reflux ; rôle du réfrigérant à boules ; estérification ; "
           "circulation de l'eau.\ntext: " +
               pack + "reflux-corrige.rtf\neditable: no\ncaption: Alambix - " + pack +
               "reflux-corrige.C03\n"
        << pack + "reflux-corrige.C03"
        << "";
    QTest::newRow("no set-up, escaped values")
        << QStringList{path("escapes.E08")}
        << "title: Ligne\\r\\nsuivante\nlamps: 1\ncorrected: Non corrigé\nnotions: a\\tb\\\\c\n"
           "text: " +
               path("enonce.rtf") + "\neditable: yes\ncaption: Alambix\n"
        << ""
        << "";
    QTest::newRow("set-up that cannot be loaded")
        << QStringList{path("badsetup.E08")}
        << "title: \nlamps: 0\ncorrected: Non corrigé\nnotions: \ntext: " + path("enonce.rtf") +
               "\neditable: yes\ncaption: Alambix\n"
        << ""
        << "Ce fichier ne correspond pas à cette application: " + path("pas-un-montage.C03") + "\n";
}

void ExerciseCommandTest::outputs() {
    QFETCH(QStringList, args);
    QFETCH(QString, head);
    QFETCH(QString, setup);
    // The set-up lines are those alambix-cli draw gives for the same set-up.
    const Run drawn = runCli(
        setup.isEmpty() ? QStringList{QStringLiteral("draw")}
                        : QStringList{QStringLiteral("draw"), QStringLiteral("--load"), setup});
    QCOMPARE(drawn.exitCode, 0);
    const Run run = runCli(QStringList{QStringLiteral("exercise")} + args);
    QTEST(run.err, "errorOut");
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, head + drawn.out);
}

void ExerciseCommandTest::failures_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("errorOut"); // stderr, or its start for usage errors
    const QString check = QStringLiteral("Vérifier:\n- le nom du fichier,\n- l'état du lecteur.\n");
    QTest::newRow("damaged exercise") << QStringList{path("damaged.E08")} << 1 << check;
    QTest::newRow("no exercise file") << QStringList{path("gone.E08")} << 1 << check;
    QTest::newRow("statement missing") << QStringList{path("absent.E08")} << 1
                                       << "Le fichier " + path("absent.rtf") + " est introuvable\n";
    QTest::newRow("correction missing")
        << QStringList{QStringLiteral("--correction"), path("corrabsent.E08")} << 1
        << "Le fichier " + path("absent.rtf") + " est introuvable\n";
    const QString checking = QStringLiteral("--check");
    QTest::newRow("check, no correction set-up")
        << QStringList{checking, pack + "vin.E08"} << 1
        << "Cet exercice n'a pas de montage corrigé : il n'y a pas de montage auquel comparer le "
           "vôtre.\n";
    QTest::newRow("check, correction set-up unreadable")
        << QStringList{checking, path("badcorrection.E08")} << 1
        << "Le montage corrigé de cet exercice ne peut pas être lu :\n" +
               path("pas-un-montage.C03") + "\nCe fichier ne correspond pas à cette application.\n";
    QTest::newRow("check, damaged exercise")
        << QStringList{checking, path("damaged.E08")} << 1 << check;
    QTest::newRow("a file after --")
        << QStringList{checking, QStringLiteral("--"), QStringLiteral("--absent.E08")} << 1
        << check;
    QTest::newRow("check after the correction")
        << QStringList{checking, QStringLiteral("--correction"), pack + "reflux.E08"} << 2
        << "alambix-cli exercise:";
    QTest::newRow("clicks without a check")
        << QStringList{QStringLiteral("--click"), QStringLiteral("3"), pack + "reflux.E08"} << 2
        << "alambix-cli exercise:";
    QTest::newRow("unknown element clicked")
        << QStringList{checking, QStringLiteral("--click"), QStringLiteral("3,14"),
                       pack + "reflux.E08"}
        << 2 << "alambix-cli exercise:";
    QTest::newRow("no file") << QStringList{} << 2 << "alambix-cli exercise:";
    QTest::newRow("two files") << QStringList{path("a.E08"), path("b.E08")} << 2
                               << "alambix-cli exercise:";
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("--corrige"), path("a.E08")} << 2 << "alambix-cli exercise:";
}

void ExerciseCommandTest::failures() {
    QFETCH(QStringList, args);
    QFETCH(QString, errorOut);
    const Run run = runCli(QStringList{QStringLiteral("exercise")} + args);
    QTEST(run.exitCode, "exitCode");
    QVERIFY(run.out.isEmpty());
    QVERIFY2(run.err.startsWith(errorOut), qPrintable(run.err));
}

void ExerciseCommandTest::check_data() {
    QTest::addColumn<QString>("clicks"); // the pupil's, on the statement's set-up (the flask)
    QTest::addColumn<QString>("result"); // the lines after the set-up's
    QTest::newRow("as the statement leaves it")
        << ""
        << "verdict: incorrect\nmissing: 2,9,10,11\nextra: \n"
           "hint: Ce n'est pas encore le bon montage : 4 pièces sont à revoir.\n";
    QTest::newRow("reflux in a glass")
        << "0,8"
        << "verdict: incorrect\nmissing: 2,9,10,11\nextra: 0,8\n"
           "hint: Ce n'est pas encore le bon montage : 6 pièces sont à revoir.\n";
    QTest::newRow("one piece left") << "N,2,3,9,10"
                                    << "verdict: incorrect\nmissing: 11\nextra: \n"
                                       "hint: Ce n'est pas encore le bon montage : une pièce est "
                                       "à revoir.\n";
    QTest::newRow("right") << "2,9,10,11"
                           << "verdict: correct\nmissing: \nextra: \nhint: \n";
}

void ExerciseCommandTest::check() {
    QFETCH(QString, clicks);
    QFETCH(QString, result);
    const QString file = pack + "distillation.E08";
    // The lines before are those of `exercise`, the set-up's after the pupil's clicks.
    const Run opened = runCli({QStringLiteral("exercise"), file});
    const QStringList head = opened.out.split(QLatin1Char('\n')).mid(0, 7);
    QStringList drawArgs{QStringLiteral("draw"), QStringLiteral("--load"),
                         pack + "distillation.C03"};
    if (!clicks.isEmpty()) drawArgs << QStringLiteral("--click") << clicks;
    const Run drawn = runCli(drawArgs);
    QStringList args{QStringLiteral("exercise"), QStringLiteral("--check"), file};
    if (!clicks.isEmpty()) args << QStringLiteral("--click") << clicks;
    const Run run = runCli(args);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, head.join(QLatin1Char('\n')) + QLatin1Char('\n') + drawn.out + result);
}

QTEST_GUILESS_MAIN(ExerciseCommandTest)
#include "exercisecommand_test.moc"
