// The loader and writer as the main window sees them: messages, caption, elements, drawing.
#include "support/files.h"
#include "support/messagecatcher.h"
#include "windows/files/chargemontage.h"
#include "windows/main/dessin_widget.h"
#include "windows/main/feuillep_window.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace alambix;

class ChargemontageTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void loadsAndNamesTheFile_data();
    void loadsAndNamesTheFile();
    void identicalSetupChangesNothing();
    void rejectsDamagedFiles_data();
    void rejectsDamagedFiles();
    void writesAndNamesTheFile();
    void failedWriteChangesNothing();

private:
    QTemporaryDir m_dir;
};

void ChargemontageTest::init() {
    QVERIFY(m_dir.isValid());
}

void ChargemontageTest::loadsAndNamesTheFile_data() {
    QTest::addColumn<QByteArray>("flags");
    QTest::addColumn<QString>("elements");
    QTest::newRow("distillation") << QByteArray("00010000011100") << "00010000011100";
    QTest::newRow("short flag text") << QByteArray("0001") << "00010000000000";
    QTest::newRow("thermometer without its column")
        << QByteArray("00000000000100") << "00000000000000";
}

void ChargemontageTest::loadsAndNamesTheFile() {
    QFETCH(QByteArray, flags);
    QFETCH(QString, elements);
    FeuilleP main(m_dir.path());
    main.model().click(Becher);
    const QString path = m_dir.filePath(QStringLiteral("montage.C03"));
    QVERIFY(putFile(path, setupBytes(flags)));
    main.document().setPath(path);
    MessageCatcher catcher;
    QCOMPARE(chargemontage(main.document(), main.dessin()), SetupReadStatus::Ok);
    QVERIFY(catcher.messages().empty());
    QCOMPARE(setupText(main.model().values()), elements);
    QCOMPARE(main.windowTitle(), QStringLiteral("Alambix - ") + path);
    QVERIFY(!main.dessin()->isHidden());
    QCOMPARE(main.document().path(), path);
    // The thermometer needs its column: it ends greyed as well as off.
    QCOMPARE(main.model().isEnabled(Thermometre), main.model().value(ColonneDeVigreux));
}

void ChargemontageTest::identicalSetupChangesNothing() {
    FeuilleP main(m_dir.path());
    main.model().click(Ballon);
    main.model().click(RefrigerantABoules);
    const QString path = m_dir.filePath(QStringLiteral("reflux.C03"));
    QVERIFY(putFile(path, setupBytes("00010000100000")));
    QSignalSpy redraws(&main.document(), &SetupDocument::redrawn);
    main.document().setPath(path);
    QCOMPARE(chargemontage(main.document(), main.dessin()), SetupReadStatus::Ok);
    QCOMPARE(redraws.count(), 0);
    QCOMPARE(main.windowTitle(), QStringLiteral("Alambix - ") + path);
}

void ChargemontageTest::rejectsDamagedFiles_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("drawingHidden");
    const QString invalid = QStringLiteral("Fichier non valide");
    const QString notOurs = QStringLiteral("Ce fichier ne correspond pas à cette application");
    const QString readTitle = QStringLiteral("Erreur lors du chargement du fichier");
    const QString readText = QStringLiteral("Lecture impossible sur disque");
    QTest::newRow("0 bytes") << QByteArray() << invalid << notOurs << false;
    QTest::newRow("short") << QByteArray("\x0D\x00"
                                         "ALAM",
                                         6)
                           << invalid << notOurs << false;
    QTest::newRow("wrong case") << record("AlambixSchema") + record("11111111111111") << invalid
                                << notOurs << false;
    QTest::newRow("space-led") << record(" ALAMBIXSCHEMA") + record("11111111111111") << invalid
                               << notOurs << false;
    QTest::newRow("signature length 127")
        << record(127, "ALAMBIXSCHEMA") << readTitle << readText << true;
    QTest::newRow("flags length 65535")
        << signatureRecord() + record(65535, "11111111111111") << readTitle << readText << true;
}

void ChargemontageTest::rejectsDamagedFiles() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(bool, drawingHidden);
    FeuilleP main(m_dir.path());
    main.setWindowTitle(QStringLiteral("Alambix - avant"));
    main.model().click(Ballon);
    main.model().click(RefrigerantDroit);
    const QString before = setupText(main.model().values());
    QSignalSpy redraws(&main.document(), &SetupDocument::redrawn);
    const QString path = m_dir.filePath(QStringLiteral("abime.C03"));
    QVERIFY(putFile(path, bytes));
    main.document().setPath(path);

    MessageCatcher catcher;
    bool hiddenDuringMessage = false;
    catcher.onShow([&] { hiddenDuringMessage = main.dessin()->isHidden(); });
    QVERIFY(chargemontage(main.document(), main.dessin()) != SetupReadStatus::Ok);
    QCOMPARE(catcher.messages().size(), std::size_t(1));
    QCOMPARE(catcher.messages().front().title, title);
    QCOMPARE(catcher.messages().front().text, text);
    QCOMPARE(catcher.messages().front().icon, QMessageBox::Critical);
    QCOMPARE(hiddenDuringMessage, drawingHidden);
    QCOMPARE(setupText(main.model().values()), before);
    QCOMPARE(redraws.count(), 0);
    QCOMPARE(main.windowTitle(), QStringLiteral("Alambix - avant"));
    QVERIFY(!main.dessin()->isHidden());
    QCOMPARE(main.document().path(), path);
}

void ChargemontageTest::writesAndNamesTheFile() {
    FeuilleP main(m_dir.path());
    main.model().click(Becher);
    main.model().click(PlaqueChromato);
    main.document().setPath(m_dir.filePath(QStringLiteral("chromato.C03")));
    MessageCatcher catcher;
    QVERIFY(ecritmontage(main.document(), &main));
    QVERIFY(catcher.messages().empty());
    QCOMPARE(main.windowTitle(), QStringLiteral("Alambix - ") + main.document().path());
    QCOMPARE(fileBytes(main.document().path()), setupBytes("01000000000010"));
}

void ChargemontageTest::failedWriteChangesNothing() {
    FeuilleP main(m_dir.path());
    QVERIFY(putFile(m_dir.filePath(QStringLiteral("fichier")), "x"));
    main.document().setPath(m_dir.filePath(QStringLiteral("fichier/montage.C03")));
    MessageCatcher catcher;
    QVERIFY(!ecritmontage(main.document(), &main));
    QCOMPARE(catcher.messages().size(), std::size_t(1));
    QCOMPARE(catcher.messages().front().title, QStringLiteral("Enregistrement impossible"));
    QCOMPARE(catcher.messages().front().text, QStringLiteral("Ecriture impossible sur disque"));
    QCOMPARE(catcher.messages().front().icon, QMessageBox::Critical);
    QCOMPARE(main.windowTitle(), QStringLiteral("Alambix"));
}

QTEST_MAIN(ChargemontageTest)
#include "chargemontage_test.moc"
