// The exercise being made, without a window: what saving writes (every record and file), what
// it refuses (and then writes nothing), and an exercise read back part by part.
#include "core/exercisefile.h"
#include "core/setupfile.h"
#include "richtext/rtfreader.h"
#include "session/exercisedraft.h"
#include "session/setuppicture.h"
#include "support/files.h"

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextFragment>

using namespace alambix;

namespace {
const SetupValues reflux = valuesFromFlags(QStringLiteral("00010000100000"));
const SetupValues distillation = valuesFromFlags(QStringLiteral("00110000011100"));

// The Windows-1252 bytes of a text, for the expected records.
QByteArray cp1252(const QString& text) {
    return text.toLatin1();
}

QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// The pictures of a document: their shown width over their height.
QList<double> pictureRatios(const QTextDocument& document) {
    QList<double> ratios;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) {
                const QTextImageFormat format = it.fragment().charFormat().toImageFormat();
                ratios << format.width() / format.height();
            }
    return ratios;
}

void fill(ExerciseDraft& draft) {
    draft.setTitle(QStringLiteral("  Séparer l'éthanol de l'eau  "));
    draft.setLevel(2);
    draft.setNotions(QString(300, QLatin1Char('n')) + QStringLiteral("é"));
    QTextCursor statement(&draft.statement());
    statement.insertText(QStringLiteral("Construire le montage : "));
    insertSetupPicture(statement, reflux);
}
} // namespace

class ExerciseDraftTest : public QObject {
    Q_OBJECT
private slots:
    void savesEveryPart_data();
    void savesEveryPart();
    void refusals_data();
    void refusals();
    void readsAnExerciseBack();
    void readsWhatItCanOfADamagedOne();
    void pictureCopiedIntoTheOtherDocument();
};

void ExerciseDraftTest::savesEveryPart_data() {
    QTest::addColumn<bool>("correction");
    QTest::addColumn<bool>("statementSetup");
    QTest::addColumn<bool>("correctionSetup");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("statement alone")
        << false << false << false << QStringList{"exo.E08", "exo.rtf"};
    QTest::newRow("everything") << true << true << true
                                << QStringList{"exo-corrige.C03", "exo-corrige.rtf", "exo.C03",
                                               "exo.E08", "exo.rtf"};
    // Corrected by its set-up alone: "Voir la correction" keeps the statement's text.
    QTest::newRow("correction set-up only")
        << false << false << true << QStringList{"exo-corrige.C03", "exo.E08", "exo.rtf"};
    QTest::newRow("correction text only")
        << true << false << false << QStringList{"exo-corrige.rtf", "exo.E08", "exo.rtf"};
}

void ExerciseDraftTest::savesEveryPart() {
    QFETCH(bool, correction);
    QFETCH(bool, statementSetup);
    QFETCH(bool, correctionSetup);
    QTemporaryDir dir;
    ExerciseDraft draft;
    fill(draft);
    if (correction) QTextCursor(&draft.correction()).insertText(QStringLiteral("La réponse."));
    // Blank paragraphs are no correction.
    else
        QTextCursor(&draft.correction()).insertText(QStringLiteral("  \n "));
    if (statementSetup) draft.setStatementSetup(reflux);
    if (correctionSetup) draft.setCorrectionSetup(distillation);
    QVERIFY(draft.isModified());

    const QString path = dir.filePath(QStringLiteral("exo.E08"));
    QVERIFY(draft.save(path).ok());
    QTEST(filesIn(dir.path()), "files");
    QVERIFY(!draft.isModified());
    QCOMPARE(draft.path(), path);

    const QString notions = QString(300, QLatin1Char('n')) + QStringLiteral("é");
    QCOMPARE(fileBytes(path),
             exerciseBytes({"exo.rtf", statementSetup ? "exo.C03" : "",
                            correction ? "exo-corrige.rtf" : "",
                            correctionSetup ? "exo-corrige.C03" : "", "2", "",
                            cp1252(notions.left(126)), cp1252(notions.mid(126, 126)),
                            cp1252(notions.mid(252)), "", cp1252("Séparer l'éthanol de l'eau")}));
    const auto preview = previewExerciseFile(path);
    QVERIFY(preview);
    QCOMPARE(preview->notions, notions);
    QCOMPARE(preview->corrected, correction || correctionSetup);
    if (statementSetup) QCOMPARE(fileBytes(dir.filePath("exo.C03")), setupBytes("00010000100000"));
    if (correctionSetup)
        QCOMPARE(fileBytes(dir.filePath("exo-corrige.C03")), setupBytes("00110000011100"));

    // The statement as the pupil gets it: its text, and the drawing in its own proportions.
    QTextDocument statement;
    QFile file(dir.filePath("exo.rtf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(readRtf(file, statement), RtfReadError::None);
    QVERIFY(statement.toPlainText().startsWith(QStringLiteral("Construire le montage : ")));
    const QList<double> ratios = pictureRatios(statement);
    QCOMPARE(ratios.size(), 1);
    QVERIFY2(qAbs(ratios.first() - 321.0 / 490.0) < 0.002, qPrintable(QString::number(ratios[0])));
}

void ExerciseDraftTest::refusals_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("notions");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    const QString ok = QStringLiteral("Un titre");
    QTest::newRow("blank title") << "   "
                                 << ""
                                 << "exo"
                                 << "Il faut donner un titre à l'exercice.";
    QTest::newRow("title of 127")
        << QString(127, 't') << ""
        << "exo"
        << "Le titre a 127 caractères : un exercice en garde 126 au plus.";
    QTest::newRow("title with a Chinese character")
        << "Le 中 du titre"
        << ""
        << "exo"
        << "Le titre contient « 中 » : le fichier d'exercice ne peut pas enregistrer ce caractère.";
    QTest::newRow("title with an emoji")
        << "Bravo 🧪 et 中"
        << ""
        << "exo"
        << "Le titre contient « 🧪中 » : le fichier d'exercice ne peut pas enregistrer ces "
           "caractères.";
    QTest::newRow("notions of 505")
        << ok << QString(505, 'n') << "exo"
        << "Les notions ont 505 caractères : un exercice en garde 504 au plus.";
    QTest::newRow("notions with a Greek letter")
        << ok << "Δ"
        << "exo"
        << "Les notions contiennent « Δ » : le fichier d'exercice ne peut pas enregistrer ce "
           "caractère.";
    // NAME-corrige.rtf is the longest name written: 115 + 12 characters.
    QTest::newRow("correction name of 127")
        << ok << "" << QString(115, 'x')
        << "Le nom " + QString(115, 'x') +
               "-corrige.rtf a 127 caractères : un fichier d'exercice ne nomme que des fichiers "
               "de 126 caractères au plus. Choisir un nom plus court.";
    QTest::newRow("name with a Chinese character")
        << ok << ""
        << "中"
        << "Le nom 中.rtf contient « 中 » : le fichier d'exercice ne peut pas enregistrer ce "
           "caractère. Choisir un autre nom.";
    QTest::newRow("a folder in the place of the statement")
        << ok << ""
        << "dossier"
        << "Un fichier de l'exercice ne peut pas être remplacé dans %1 (il est protégé en "
           "écriture, ou c'est un dossier) : aucun fichier n'a été modifié.";
    QTest::newRow("folder that is not there")
        << ok << ""
        << "absent/exo"
        << "Ecriture impossible sur disque dans %1/absent : aucun fichier de l'exercice n'a été "
           "modifié.";
}

void ExerciseDraftTest::refusals() {
    QFETCH(QString, title);
    QFETCH(QString, notions);
    QFETCH(QString, name);
    QTemporaryDir dir;
    ExerciseDraft draft;
    fill(draft);
    draft.setTitle(title);
    draft.setNotions(notions);
    QTextCursor(&draft.correction()).insertText(QStringLiteral("Correction"));
    draft.setCorrectionSetup(distillation);
    // An exercise of that name is already there: it must come out as it was.
    const QString path = dir.filePath(name + QStringLiteral(".E08"));
    const QByteArray old = exerciseBytes({"ancien.rtf"});
    const bool inFolder = QFileInfo(path).dir().exists();
    if (inFolder) QVERIFY(putFile(path, old));
    if (name == QLatin1String("dossier")) QVERIFY(QDir(dir.path()).mkdir("dossier.rtf"));
    const QStringList before = filesIn(dir.path());

    const DraftResult result = draft.save(path);
    QVERIFY(!result.ok());
    QFETCH(QString, message);
    QCOMPARE(draftMessage(result).text, message.arg(dir.path()));
    QCOMPARE(filesIn(dir.path()), before);
    if (inFolder) QCOMPARE(fileBytes(path), old);
    QVERIFY(draft.isModified());
    QVERIFY(draft.path().isEmpty());
}

void ExerciseDraftTest::readsAnExerciseBack() {
    QTemporaryDir dir;
    ExerciseDraft made;
    fill(made);
    QTextCursor(&made.correction()).insertText(QStringLiteral("La réponse : H₂O."));
    made.setStatementSetup(reflux);
    made.setCorrectionSetup(distillation);
    QVERIFY(made.save(dir.filePath(QStringLiteral("exo.E08"))).ok());
    // Names stored in one case, found on the disk in another, as the exercise window finds them.
    QVERIFY(QFile::rename(dir.filePath("exo-corrige.rtf"), dir.filePath("EXO-CORRIGE.RTF")));

    ExerciseDraft read;
    QVERIFY(read.load(dir.filePath(QStringLiteral("exo.E08"))).empty());
    QCOMPARE(read.title(), QStringLiteral("Séparer l'éthanol de l'eau"));
    QCOMPARE(read.level(), 2);
    QCOMPARE(read.notions(), made.notions());
    QCOMPARE(read.statement().toPlainText(), made.statement().toPlainText());
    QCOMPARE(read.correction().toPlainText(), QStringLiteral("La réponse : H₂O."));
    QCOMPARE(read.statementSetup(), std::optional<SetupValues>(reflux));
    QCOMPARE(read.correctionSetup(), std::optional<SetupValues>(distillation));
    QCOMPARE(read.path(), dir.filePath(QStringLiteral("exo.E08")));
    QVERIFY(!read.isModified());
    read.setLevel(3);
    QVERIFY(read.isModified());
    // Saved again where it was read: the same files, the new level, the documents as they were
    // (the drawing's bytes written back, not encoded again).
    const QByteArray statementBytes = fileBytes(dir.filePath("exo.rtf"));
    QVERIFY(read.save(read.path()).ok());
    QCOMPARE(fileBytes(dir.filePath("exo.rtf")), statementBytes);
    QCOMPARE(previewExerciseFile(read.path())->litLamps(), 3);
    QCOMPARE(read.existingFiles(read.path()).size(), 5);
}

void ExerciseDraftTest::readsWhatItCanOfADamagedOne() {
    QTemporaryDir dir;
    QVERIFY(putFile(dir.filePath("exo.rtf"), "{\\rtf1 Le texte.\\par}"));
    QVERIFY(putFile(dir.filePath("faux.C03"), record("AUTRE") + record("00010000000000")));
    QVERIFY(putFile(dir.filePath("exo.E08"),
                    exerciseBytes({"exo.rtf", "faux.C03", "absent.rtf", "", "2.5", "", "notions",
                                   "", "", "", "Titre"})));
    ExerciseDraft draft;
    const std::vector<DraftResult> problems = draft.load(dir.filePath("exo.E08"));
    QCOMPARE(problems.size(), std::size_t(2));
    QCOMPARE(problems[0].problem, DraftProblem::DocumentMissing);
    QCOMPARE(problems[1].problem, DraftProblem::NotASetupFile);
    QCOMPARE(draftMessage(problems[1]).text,
             "Ce fichier ne correspond pas à cette application: " + dir.filePath("faux.C03"));
    QCOMPARE(draft.statement().toPlainText(), QStringLiteral("Le texte."));
    QVERIFY(!draft.statementSetup());
    // 2.5 lights three lamps: the level the pupil sees.
    QCOMPARE(draft.level(), 3);

    // An exercise file that cannot be read changes nothing.
    QVERIFY(putFile(dir.filePath("abime.E08"), record("exo.rtf") + record(127, "x")));
    const std::vector<DraftResult> unreadable = draft.load(dir.filePath("abime.E08"));
    QCOMPARE(unreadable.size(), std::size_t(1));
    QCOMPARE(unreadable[0].problem, DraftProblem::ExerciseUnreadable);
    QCOMPARE(draft.title(), QStringLiteral("Titre"));
    QCOMPARE(draft.path(), dir.filePath("exo.E08"));
}

// A picture copied from the statement into the correction, as a paste copies it, shows there
// and is saved with the correction.
void ExerciseDraftTest::pictureCopiedIntoTheOtherDocument() {
    QTemporaryDir dir;
    ExerciseDraft draft;
    fill(draft);
    QTextCursor all(&draft.statement());
    all.select(QTextCursor::Document);
    QTextCursor(&draft.correction()).insertFragment(all.selection());
    QVERIFY(draft.save(dir.filePath(QStringLiteral("exo.E08"))).ok());
    QTextDocument correction;
    QFile file(dir.filePath("exo-corrige.rtf"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(readRtf(file, correction), RtfReadError::None);
    QCOMPARE(pictureRatios(correction).size(), 1);
    // The same bytes as in the statement's file.
    const QByteArray statement = fileBytes(dir.filePath("exo.rtf"));
    const QByteArray copied = fileBytes(dir.filePath("exo-corrige.rtf"));
    const qsizetype at = statement.indexOf("{\\pict");
    QVERIFY(at > 0);
    QVERIFY(copied.contains(statement.mid(at, statement.indexOf('}', at) - at)));
}

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv); // the drawing's fonts
    ExerciseDraftTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "exercisedraft_test.moc"
