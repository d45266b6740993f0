// Opening an exercise and its correction, without a window: what the panel, the session and the
// set-up hold afterwards, and the messages of the failures.
#include "core/elements.h"
#include "core/setupfile.h"
#include "session/exerciseopening.h"
#include "session/exercisesession.h"
#include "session/setupdocument.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>

using namespace alambix;

namespace {
const QString previousText = QStringLiteral("Texte précédent");
const char* const statementFlags = "00010000000000";
const char* const correctionFlags = "00010000100000";
const char* const previousFlags = "01000000000000";
} // namespace

class ExerciseOpeningTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void statement_data();
    void statement();
    void correction_data();
    void correction();

private:
    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString folder() const { return m_dir.path() + QLatin1Char('/'); }
    ExerciseTarget target() {
        return {*m_session, *m_panel, *m_setup, [this] {
                    ++m_loads;
                    const SetupReadResult read = readSetupFile(m_setup->path());
                    if (read.status != SetupReadStatus::Ok) return;
                    applySetup(m_setup->model(), valuesFromFlags(read.flags));
                    m_setup->nameFile();
                }};
    }
    // An exercise open before: its text, file, correction flag, unsaved edits and set-up.
    void checkUnchanged();

    QTemporaryDir m_dir;
    std::unique_ptr<ExerciseSession> m_session;
    std::unique_ptr<QTextDocument> m_panel;
    std::unique_ptr<SetupDocument> m_setup;
    int m_loads = 0;
};

void ExerciseOpeningTest::initTestCase() {
    QVERIFY(m_dir.isValid());
    QVERIFY(putFile(path("enonce.rtf"), "{\\rtf1\\ansi Enonc\\'e9 du probl\\'e8me\\par}"));
    QVERIFY(putFile(path("corrige.rtf"), "{\\rtf1\\ansi Corrig\\'e9\\par}"));
    QVERIFY(putFile(path("texte.txt"), "Pas un document RTF."));
    QVERIFY(putFile(path("enonce.C03"), setupBytes(statementFlags)));
    QVERIFY(putFile(path("corrige.C03"), setupBytes(correctionFlags)));
    QVERIFY(putFile(path("full.E08"),
                    exerciseBytes({"enonce.rtf", "enonce.C03", "corrige.rtf", "corrige.C03"})));
    QVERIFY(putFile(path("nosetup.E08"), exerciseBytes({"enonce.rtf", "   ", "corrige.rtf"})));
    QVERIFY(putFile(path("othercase.E08"), exerciseBytes({"ENONCE.RTF", "Enonce.c03"})));
    QVERIFY(putFile(path("noname.E08"), exerciseBytes({"", "enonce.C03"})));
    QVERIFY(putFile(path("absent.E08"), exerciseBytes({"absent.rtf", "enonce.C03"})));
    QVERIFY(putFile(path("notrtf.E08"), exerciseBytes({"texte.txt", "enonce.C03"})));
    QVERIFY(putFile(path("damaged.E08"), record("enonce.rtf") + record(200, "enonce.C03")));
    QVERIFY(putFile(path("setuponly.E08"),
                    exerciseBytes({"enonce.rtf", "enonce.C03", " ", "corrige.C03"})));
    QVERIFY(putFile(path("corrabsent.E08"),
                    exerciseBytes({"enonce.rtf", "enonce.C03", "absent.rtf", "corrige.C03"})));
}

void ExerciseOpeningTest::init() {
    m_session = std::make_unique<ExerciseSession>();
    m_panel = std::make_unique<QTextDocument>();
    m_setup = std::make_unique<SetupDocument>();
    m_loads = 0;
    // As the main window does: changes of the text count as edits while an exercise is open.
    connect(m_panel.get(), &QTextDocument::contentsChanged, m_session.get(),
            &ExerciseSession::textEdited);
    m_session->setFich(QStringLiteral("/ailleurs/precedent.E08"));
    m_session->setExocorrige(true);
    m_panel->setPlainText(previousText);
    QVERIFY(m_session->textemodifie());
    m_setup->setPath(QStringLiteral("/ailleurs/precedent.C03"));
    applySetup(m_setup->model(), valuesFromFlags(previousFlags));
    m_setup->nameFile();
    m_session->setRepexo(m_dir.path());
}

void ExerciseOpeningTest::checkUnchanged() {
    QCOMPARE(m_panel->toPlainText(), previousText);
    QCOMPARE(m_session->fich(), QStringLiteral("/ailleurs/precedent.E08"));
    QVERIFY(m_session->exocorrige());
    QVERIFY(m_session->textemodifie());
    QCOMPARE(m_setup->title(), QStringLiteral("Alambix - /ailleurs/precedent.C03"));
    QCOMPARE(setupText(m_setup->model().values()), QString::fromLatin1(previousFlags));
    QCOMPARE(m_loads, 0);
}

void ExerciseOpeningTest::statement_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("setupFile"); // loaded with the statement; empty: none
    QTest::addColumn<QString>("title");     // of the message; empty: opened
    QTest::addColumn<QString>("message");
    const QString none;
    QTest::newRow("statement and set-up") << "full.E08"
                                          << "enonce.C03" << none << none;
    QTest::newRow("record 2 blank") << "nosetup.E08" << none << none << none;
    QTest::newRow("names in another case") << "othercase.E08"
                                           << "enonce.C03" << none << none;
    const QString absent = QStringLiteral("Fichier absent");
    QTest::newRow("record 1 blank")
        << "noname.E08" << none << absent << "Le fichier " + folder() + " est introuvable";
    QTest::newRow("statement missing") << "absent.E08" << none << absent
                                       << "Le fichier " + folder() + "absent.rtf est introuvable";
    QTest::newRow("statement not RTF")
        << "notrtf.E08" << none << absent << "Le fichier " + folder() + "texte.txt est introuvable";
    const QString unreadable = QStringLiteral("Lecture impossible");
    const QString check = QStringLiteral("Vérifier:\n- le nom du fichier,\n- l'état du lecteur.");
    QTest::newRow("record 2 damaged") << "damaged.E08" << none << unreadable << check;
    QTest::newRow("exercise file missing") << "gone.E08" << none << unreadable << check;
    QTest::newRow("exercise file is a folder") << "." << none << unreadable << check;
}

void ExerciseOpeningTest::statement() {
    QFETCH(QString, file);
    QFETCH(QString, setupFile);
    QFETCH(QString, title);
    QFETCH(QString, message);
    ExerciseTarget opening = target();
    const OpeningResult result = openStatement(opening, path(file), false);
    const ExerciseMessage shown = openingMessage(result);
    QCOMPARE(shown.title, title);
    QCOMPARE(shown.text, message);
    if (!title.isEmpty()) {
        checkUnchanged();
        return;
    }
    QCOMPARE(result.status, OpeningStatus::Opened);
    QCOMPARE(result.document, path("enonce.rtf"));
    QVERIFY(result.editable);
    QCOMPARE(m_panel->toPlainText(), QStringLiteral("Enoncé du problème"));
    QCOMPARE(m_session->fich(), path(file));
    QVERIFY(!m_session->exocorrige());
    QVERIFY(!m_session->textemodifie());
    QCOMPARE(m_loads, setupFile.isEmpty() ? 0 : 1);
    QCOMPARE(setupText(m_setup->model().values()),
             QString::fromLatin1(setupFile.isEmpty() ? previousFlags : statementFlags));
    QCOMPARE(m_setup->title(), setupFile.isEmpty()
                                   ? QStringLiteral("Alambix - /ailleurs/precedent.C03")
                                   : "Alambix - " + path(setupFile));
}

void ExerciseOpeningTest::correction_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("panel"); // the text afterwards
    QTest::addColumn<QString>("flags"); // the set-up afterwards
    QTest::addColumn<QString>("message");
    const QString statement = QStringLiteral("Enoncé du problème");
    QTest::newRow("text and set-up") << "full.E08"
                                     << "Corrigé" << correctionFlags << "";
    QTest::newRow("set-up only") << "setuponly.E08" << statement << correctionFlags << "";
    QTest::newRow("text only") << "nosetup.E08"
                               << "Corrigé" << previousFlags << "";
    QTest::newRow("correction missing") << "corrabsent.E08" << statement << statementFlags
                                        << "Le fichier " + folder() + "absent.rtf est introuvable";
}

void ExerciseOpeningTest::correction() {
    QFETCH(QString, file);
    QFETCH(QString, panel);
    QFETCH(QString, flags);
    QFETCH(QString, message);
    ExerciseTarget opening = target();
    QCOMPARE(openStatement(opening, path(file), true).status, OpeningStatus::Opened);
    const QString setupTitle = m_setup->title();
    // The exercise window was shown again in another folder and left without opening anything:
    // the correction is still found beside its exercise.
    m_session->setRepexo(QStringLiteral("/autre/dossier"));
    m_loads = 0;
    const OpeningResult result = openCorrection(opening);
    QCOMPARE(openingMessage(result).text, message);
    QCOMPARE(m_panel->toPlainText(), panel);
    QCOMPARE(setupText(m_setup->model().values()), flags);
    QCOMPARE(m_session->fich(), path(file));
    QVERIFY(m_session->exocorrige());
    QVERIFY(!m_session->textemodifie());
    if (!message.isEmpty()) {
        QCOMPARE(m_setup->title(), setupTitle);
        QCOMPARE(m_loads, 0);
        return;
    }
    QVERIFY(!result.editable);
    QCOMPARE(result.document, panel == QStringLiteral("Corrigé") ? path("corrige.rtf") : QString());
}

QTEST_MAIN(ExerciseOpeningTest)
#include "exerciseopening_test.moc"
