// alambix-cli exercise --create run as a separate process: the files and records it writes, each
// refusal made to happen (after which the folder is as it was), and a disk that fills up part-way
// through the five files.
#include "support/files.h"
#include "support/processes.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

namespace {
const QString pack = QStringLiteral(ALAMBIX_PACK_DIR "/");

// Every file of a folder with its bytes, hidden ones included.
QMap<QString, QByteArray> folderContent(const QString& folder) {
    QMap<QString, QByteArray> content;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        content.insert(name, fileBytes(QDir(folder).filePath(name)));
    return content;
}
} // namespace

class ExerciseCreateTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void creates_data();
    void creates();
    void refuses_data();
    void refuses();
    void fullDiskChangesNothing_data();
    void fullDiskChangesNothing();

private:
    QString path(const QString& name) const { return m_inputs.filePath(name); }
    QTemporaryDir m_inputs;
};

void ExerciseCreateTest::initTestCase() {
    QVERIFY2(QFile::exists(qEnvironmentVariable("ALAMBIX_CLI")), "ALAMBIX_CLI is not set");
    QVERIFY(m_inputs.isValid());
    QVERIFY(putFile(path("enonce.rtf"), "{\\rtf1\\ansi Un \\'e9nonc\\'e9 court.\\par}"));
    QVERIFY(putFile(path("texte.txt"), "Pas du RTF."));
    QVERIFY(putFile(path("reflux.C03"), setupBytes("00010000100000")));
    QVERIFY(putFile(path("faux.C03"), record("AUTRE") + record("00010000000000")));
}

void ExerciseCreateTest::creates_data() {
    QTest::addColumn<QStringList>("args"); // after OUT: the exercise is OUT = exo.E08
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QList<QByteArray>>("records");
    QTest::addColumn<QString>("head"); // the first lines printed, up to "caption:"
    QTest::newRow("statement alone")
        << QStringList{"--title", "Un titre", "--statement", path("enonce.rtf")}
        << QStringList{"exo.E08", "exo.rtf"}
        << QList<QByteArray>{"exo.rtf", "", "", "", "0", "", "", "", "", "", "Un titre"}
        << "title: Un titre\nlamps: 0\ncorrected: Non corrigé\nnotions: \ntext: %1/exo.rtf\n"
           "editable: yes\ncaption: Alambix\nname: \nelements: 00000000000000\n";
    const QString notions = QString(130, QLatin1Char('n'));
    QTest::newRow("everything, set-ups from a file and from clicks")
        << QStringList{"--level",
                       "3",
                       "--notions",
                       notions,
                       "--title",
                       "Séparer",
                       "--statement",
                       path("enonce.rtf"),
                       "--statement-setup",
                       path("reflux.C03"),
                       "--correction",
                       pack + "distillation-corrige.rtf",
                       "--correction-clicks",
                       "3,10,11,9,2"}
        << QStringList{"exo-corrige.C03", "exo-corrige.rtf", "exo.C03", "exo.E08", "exo.rtf"}
        << QList<QByteArray>{"exo.rtf", "exo.C03", "exo-corrige.rtf",    "exo-corrige.C03",
                             "3",       "",        QByteArray(126, 'n'), "nnnn",
                             "",        "",        "S\xe9parer"}
        << "title: Séparer\nlamps: 3\ncorrected: Exercice corrigé\nnotions: " + notions +
               "\ntext: %1/exo.rtf\neditable: yes\ncaption: Alambix - %1/exo.C03\n"
               "name: Chauffage à reflux\nelements: 00010000100000\n";
    QTest::newRow("corrected by a set-up alone")
        << QStringList{"--title", "T", "--statement", path("enonce.rtf"), "--correction-clicks",
                       "1,7"}
        << QStringList{"exo-corrige.C03", "exo.E08", "exo.rtf"}
        << QList<QByteArray>{"exo.rtf", "", "", "exo-corrige.C03", "0", "", "", "", "", "", "T"}
        << "title: T\nlamps: 0\ncorrected: Exercice corrigé\nnotions: \ntext: %1/exo.rtf\n"
           "editable: yes\ncaption: Alambix\nname: \nelements: 00000000000000\n";
}

void ExerciseCreateTest::creates() {
    QFETCH(QStringList, args);
    QTemporaryDir out;
    // An exercise of the same name is replaced without a question, as scripts expect.
    QVERIFY(putFile(out.filePath("exo.E08"), exerciseBytes({"ancien.rtf"})));
    const Run run = runCli(QStringList{"exercise", "--create", out.filePath("exo.E08")} + args);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QFETCH(QString, head);
    QVERIFY2(run.out.startsWith(head.arg(out.path())), qPrintable(run.out));
    QTEST(QDir(out.path()).entryList(QDir::Files | QDir::Hidden), "files");
    QFETCH(QList<QByteArray>, records);
    QCOMPARE(fileBytes(out.filePath("exo.E08")), exerciseBytes(records));
    // The documents went through the program's reader and writer and read as they were.
    for (const auto& [source, written] :
         {std::pair{args.value(args.indexOf("--statement") + 1), QStringLiteral("exo.rtf")},
          std::pair{args.value(args.indexOf("--correction") + 1),
                    QStringLiteral("exo-corrige.rtf")}}) {
        if (!args.contains(source) || source.startsWith("--")) continue;
        QCOMPARE(runCli({"rtf", out.filePath(written)}).out, runCli({"rtf", source}).out);
    }
}

void ExerciseCreateTest::refuses_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err"); // the first line of stderr; %1 the output folder
    const QStringList title{"--title", "Un titre"};
    const QStringList statement{"--statement", path("enonce.rtf")};
    QTest::newRow("title with a Chinese character")
        << QStringList{"--title", "Le 中"} + statement << 1
        << "Le titre contient « 中 » : le fichier d'exercice ne peut pas enregistrer ce caractère.";
    QTest::newRow("blank title") << QStringList{"--title", "  "} + statement << 1
                                 << "Il faut donner un titre à l'exercice.";
    QTest::newRow("title of 127") << QStringList{"--title", QString(127, 't')} + statement << 1
                                  << "Le titre a 127 caractères : un exercice en garde 126 au "
                                     "plus.";
    QTest::newRow("notions of 505")
        << title + statement + QStringList{"--notions", QString(505, 'n')} << 1
        << "Les notions ont 505 caractères : un exercice en garde 504 au plus.";
    QTest::newRow("notions with a Chinese character")
        << title + statement + QStringList{"--notions", "Le 中"} << 1
        << "Les notions contiennent « 中 » : le fichier d'exercice ne peut pas enregistrer ce "
           "caractère.";
    const QString longName = QString(115, QLatin1Char('x'));
    QTest::newRow("name of 127 characters")
        << QStringList{"--create", "%1/" + longName + ".E08"} + title + statement +
               QStringList{"--correction", path("enonce.rtf")}
        << 1
        << "Le nom " + longName +
               "-corrige.rtf a 127 caractères : un fichier d'exercice ne nomme que des fichiers "
               "de 126 caractères au plus. Choisir un nom plus court.";
    QTest::newRow("name with a Chinese character")
        << QStringList{"--create", "%1/中.E08"} + title + statement << 1
        << "Le nom 中.rtf contient « 中 » : le fichier d'exercice ne peut pas enregistrer ce "
           "caractère. Choisir un autre nom.";
    QTest::newRow("folder that is not there")
        << QStringList{"--create", "%1/absent/exo.E08"} + title + statement << 1
        << "Ecriture impossible sur disque dans %1/absent : aucun fichier de l'exercice n'a été "
           "modifié.";
    QTest::newRow("not an exercise file's name")
        << QStringList{"--create", "%1/exo.rtf"} + title + statement << 2
        << "alambix-cli exercise: le fichier d'exercice doit finir par .E08: %1/exo.rtf";
    QTest::newRow("statement that is not RTF")
        << title + QStringList{"--statement", path("texte.txt")} << 1
        << "Le fichier " + path("texte.txt") + " n'est pas un texte au format RTF";
    QTest::newRow("statement missing")
        << title + QStringList{"--statement", path("absent.rtf")} << 1
        << "Le fichier " + path("absent.rtf") + " est introuvable";
    QTest::newRow("correction that is not RTF")
        << title + statement + QStringList{"--correction", path("reflux.C03")} << 1
        << "Le fichier " + path("reflux.C03") + " n'est pas un texte au format RTF";
    QTest::newRow("set-up file of another program")
        << title + statement + QStringList{"--statement-setup", path("faux.C03")} << 1
        << "Ce fichier ne correspond pas à cette application: " + path("faux.C03");
    QTest::newRow("set-up file missing")
        << title + statement + QStringList{"--correction-setup", path("absent.C03")} << 1
        << "Nom de fichier incorrect ou chemin non valide: " + path("absent.C03");
    QTest::newRow("level 4") << title + statement + QStringList{"--level", "4"} << 2
                             << "alambix-cli exercise: le niveau va de 0 à 3: 4";
    QTest::newRow("level not a number") << title + statement + QStringList{"--level", "deux"} << 2
                                        << "alambix-cli exercise: le niveau va de 0 à 3: deux";
    QTest::newRow("no title") << statement << 2 << "alambix-cli exercise: il manque --title";
    QTest::newRow("no statement") << title << 2 << "alambix-cli exercise: il manque --statement";
    QTest::newRow("set-up from a file and from clicks")
        << title + statement +
               QStringList{"--statement-setup", path("reflux.C03"), "--statement-clicks", "3"}
        << 2
        << "alambix-cli exercise: --statement-setup et --statement-clicks ne vont pas ensemble";
    QTest::newRow("unknown element")
        << title + statement + QStringList{"--correction-clicks", "3,14"} << 2
        << "alambix-cli exercise: élément inconnu dans --click: 14";
    QTest::newRow("option given twice")
        << title + title + statement << 2 << "alambix-cli exercise: --title est donnée deux fois";
    QTest::newRow("unknown option") << title + statement + QStringList{"--check"} << 2
                                    << "alambix-cli exercise: option inconnue: --check";
    QTest::newRow("option without its value") << statement + QStringList{"--title"} << 2
                                              << "alambix-cli exercise: --title attend une valeur";
}

void ExerciseCreateTest::refuses() {
    QFETCH(QStringList, args);
    QTemporaryDir out;
    // The exercise being replaced: a refusal must leave it as it was.
    const QString exercise = out.filePath("exo.E08");
    QVERIFY(putFile(exercise, exerciseBytes({"exo.rtf", "", "", "", "1"})));
    QVERIFY(putFile(out.filePath("exo.rtf"), "{\\rtf1 Ancien.\\par}"));
    const auto before = folderContent(out.path());
    // A row may give its own exercise file, in the output folder "%1".
    const QStringList full = args.first() == QLatin1String("--create")
                                 ? QStringList{"exercise"} + args.replaceInStrings("%1", out.path())
                                 : QStringList{"exercise", "--create", exercise} + args;
    const Run run = runCli(full);
    QTEST(run.exitCode, "exitCode");
    QFETCH(QString, err);
    QCOMPARE(run.err.section(QLatin1Char('\n'), 0, 0), err.arg(out.path()));
    QCOMPARE(run.out, QString());
    QCOMPARE(folderContent(out.path()), before);
}

void ExerciseCreateTest::fullDiskChangesNothing_data() {
    QTest::addColumn<bool>("replacing");
    QTest::addColumn<int>("limit"); // bytes: no file written may grow past it
    for (const bool replacing : {false, true}) {
        const char* state = replacing ? "replacing" : "new";
        // The exercise, set-up and statement files fit; the correction with its drawing does
        // not: the disk fills up part-way through the five files.
        QTest::addRow("%s, correction too large", state) << replacing << 8000;
        QTest::addRow("%s, nothing fits", state) << replacing << 0;
        QTest::addRow("%s, all but the last byte", state) << replacing << -1;
    }
}

void ExerciseCreateTest::fullDiskChangesNothing() {
    QFETCH(bool, replacing);
    QFETCH(int, limit);
    QTemporaryDir out;
    const QString exercise = out.filePath("exo.E08");
    const QStringList args{"exercise",
                           "--create",
                           exercise,
                           "--title",
                           "Disque plein",
                           "--statement",
                           path("enonce.rtf"),
                           "--statement-clicks",
                           "3",
                           "--correction",
                           pack + "reflux-corrige.rtf",
                           "--correction-setup",
                           path("reflux.C03")};
    // The size of the largest file, written once without a limit.
    QTemporaryDir sizes;
    QCOMPARE(runCli(QStringList(args).replaceInStrings(out.path(), sizes.path())).exitCode, 0);
    qint64 largest = 0;
    for (const QFileInfo& file : QDir(sizes.path()).entryInfoList(QDir::Files))
        largest = std::max(largest, file.size());
    QVERIFY(largest > 8000);
    if (limit < 0) limit = int(largest + limit);

    if (replacing) {
        for (const char* name : {"exo.E08", "exo.rtf", "exo.C03", "exo-corrige.rtf"})
            QVERIFY(putFile(out.filePath(name), QByteArray("ancien ") + name));
    }
    const auto before = folderContent(out.path());
    const Run run = runCli(args, rlim_t(limit));
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.out, QString());
    QCOMPARE(run.err.trimmed(), "Ecriture impossible sur disque dans " + out.path() +
                                    " : aucun fichier de l'exercice n'a été modifié.");
    QCOMPARE(folderContent(out.path()), before);
}

QTEST_GUILESS_MAIN(ExerciseCreateTest)
#include "exercisecreate_test.moc"
