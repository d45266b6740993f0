// The open dialog driven by clicks and keys.
#include "support/dialogs.h"
#include "support/files.h"
#include "support/messagecatcher.h"
#include "windows/files/ouvrir_dialog.h"
#include "windows/main/dessin_widget.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace alambix;

class OuvrirTest : public QObject, FileDialogFixture {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layout();
    void openWithNothingSelectedDoesNothing();
    void clickingAFileNamesItAndItsFolder();
    void loads_data();
    void loads();
    void fileDeletedAfterSelection();
    void damagedFileClosesAfterItsMessage_data();
    void damagedFileClosesAfterItsMessage();
    void navigatesFoldersAndVolumes();
    void cancelChangesNothing();
};

void OuvrirTest::init() {
    QVERIFY(openMainWindow(QPoint(60, 40)));
    m_main->model().click(Erlenmeyer);
    QVERIFY(
        putFile(m_dir->filePath(QStringLiteral("distillation.C03")), setupBytes("00110000011100")));
    QVERIFY(
        putFile(m_dir->filePath(QStringLiteral("filtration.c03")), setupBytes("00001010000000")));
    QVERIFY(putFile(m_dir->filePath(QStringLiteral("notes.txt")), "pas un montage"));
}

void OuvrirTest::cleanup() {
    closeMainWindow();
}

void OuvrirTest::layout() {
    Ouvrir dialog(m_main->document(), m_main->dessin());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Ouvrir une configuration"));
    QCOMPARE(dialog.size(), QSize(369, 423));
    QCOMPARE(dialog.pos(), m_main->pos() + QPoint(20, 20));
    QCOMPARE(dialog.palette().color(QPalette::Window), QColor(232, 213, 191));
    QCOMPARE(child<QLabel>(dialog, "Label1")->text(), QStringLiteral("Lecteur:"));
    QCOMPARE(child<QLabel>(dialog, "Label2")->text(), QStringLiteral("Répertoire"));
    QCOMPARE(child<QLabel>(dialog, "Label3")->text(), QStringLiteral("Fichiers"));
    QCOMPARE(child<QComboBox>(dialog, "Drive1")->geometry(), QRect(24, 24, 161, 21));
    QCOMPARE(child<QListWidget>(dialog, "Dir1")->geometry(), QRect(24, 65, 161, 276));
    QCOMPARE(child<QListWidget>(dialog, "File1")->geometry(), QRect(208, 24, 137, 318));
    auto* ficharge = child<QLineEdit>(dialog, "ficharge");
    QCOMPARE(ficharge->geometry(), QRect(0, 352, 369, 19));
    QVERIFY(ficharge->isReadOnly());
    QCOMPARE(ficharge->focusPolicy(), Qt::NoFocus);
    QVERIFY(ficharge->text().isEmpty());
    QCOMPARE(ficharge->palette().color(QPalette::Text), QColor(0, 0, 128));
    QCOMPARE(ficharge->palette().color(QPalette::Base), QColor(232, 213, 191));
    auto* command1 = child<QPushButton>(dialog, "Command1");
    QCOMPARE(command1->text(), QStringLiteral("OUVRIR"));
    QCOMPARE(command1->geometry(), QRect(208, 376, 121, 25));
    QCOMPARE(child<QPushButton>(dialog, "Command2")->text(), QStringLiteral("ANNULER"));
    QCOMPARE(child<QPushButton>(dialog, "Command2")->geometry(), QRect(48, 376, 121, 25));
    auto* frame1 = child<QFrame>(dialog, "Frame1");
    QVERIFY(frame1->isHidden());
    QCOMPARE(frame1->geometry(), QRect(0, 0, 369, 425));
    auto* label4 = child<QLabel>(dialog, "Label4");
    QCOMPARE(label4->text(), QStringLiteral("Patience: chargement du fichier"));
    QCOMPARE(label4->palette().color(QPalette::WindowText), QColor(128, 0, 0));
    QCOMPARE(label4->font().pointSizeF(), 13.5);
    QVERIFY(child<QLabel>(dialog, "Image1"));

    const char* order[] = {"Command1", "Command2", "Dir1", "File1", "Drive1"};
    QWidget* w = child<QWidget>(dialog, order[0]);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty());
        QCOMPARE(w->objectName(), QString::fromLatin1(order[i]));
    }

    auto* file1 = child<QListWidget>(dialog, "File1");
    QCOMPARE(file1->count(), 2);
    QCOMPARE(file1->item(0)->text(), QStringLiteral("distillation.C03"));
    QCOMPARE(file1->item(1)->text(), QStringLiteral("filtration.c03"));
}

void OuvrirTest::openWithNothingSelectedDoesNothing() {
    Ouvrir dialog(m_main->document(), m_main->dessin());
    dialog.show();
    MessageCatcher catcher;
    QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    QTest::qWait(50);
    QVERIFY(catcher.messages().empty());
    QVERIFY(dialog.isVisible());
    QVERIFY(m_main->document().path().isEmpty());
    QCOMPARE(setupText(m_main->model().values()), QStringLiteral("00100000000000"));
    dialog.reject();
}

void OuvrirTest::clickingAFileNamesItAndItsFolder() {
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("sous")));
    QVERIFY(putFile(m_dir->filePath(QStringLiteral("sous/profond.C03")), setupBytes("1")));
    Ouvrir dialog(m_main->document(), m_main->dessin());
    dialog.show();
    auto* dir1 = child<QListWidget>(dialog, "Dir1");
    clickItem(dir1, QStringLiteral("  sous"));
    QTest::keyClick(dir1, Qt::Key_Enter);
    QCOMPARE(FolderPicker::lastFolder(), m_dir->path()); // only a file choice moves it
    clickItem(child<QListWidget>(dialog, "File1"), QStringLiteral("profond.C03"));
    const QString expected = m_dir->filePath(QStringLiteral("sous/profond.C03"));
    QCOMPARE(child<QLineEdit>(dialog, "ficharge")->text(), expected);
    QCOMPARE(FolderPicker::lastFolder(), m_dir->filePath(QStringLiteral("sous")));
    QVERIFY(m_main->document().path().isEmpty());
    dialog.reject();
}

void OuvrirTest::loads_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("elements");
    QTest::newRow("double-click") << "double-click"
                                  << "filtration.c03"
                                  << "00001010000000";
    QTest::newRow("OUVRIR") << "OUVRIR"
                            << "distillation.C03"
                            << "00110000011100";
    QTest::newRow("Enter") << "Enter"
                           << "distillation.C03"
                           << "00110000011100";
}

void OuvrirTest::loads() {
    QFETCH(QString, how);
    QFETCH(QString, file);
    Ouvrir dialog(m_main->document(), m_main->dessin());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    MessageCatcher catcher;
    auto* file1 = child<QListWidget>(dialog, "File1");
    if (how == QLatin1String("Enter")) {
        file1->setFocus();
        // Enter before a file is chosen does nothing; End then Home choose the first, Enter
        // opens it.
        QTest::keyClick(file1, Qt::Key_Return);
        QVERIFY(dialog.isVisible());
        QTest::keyClick(file1, Qt::Key_End);
        QTest::keyClick(file1, Qt::Key_Home);
        QTest::keyClick(file1, Qt::Key_Return);
    } else {
        clickItem(file1, file, how == QLatin1String("double-click"));
        if (how == QLatin1String("OUVRIR"))
            QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    }
    QVERIFY(catcher.messages().empty());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    const QString path = m_dir->filePath(file);
    QCOMPARE(m_main->document().path(), path);
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Alambix - ") + path);
    QTEST(setupText(m_main->model().values()), "elements");
}

void OuvrirTest::fileDeletedAfterSelection() {
    Ouvrir dialog(m_main->document(), m_main->dessin());
    dialog.show();
    MessageCatcher catcher;
    clickItem(child<QListWidget>(dialog, "File1"), QStringLiteral("distillation.C03"));
    const QString path = m_dir->filePath(QStringLiteral("distillation.C03"));
    QVERIFY(QFile::remove(path));
    QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    QCOMPARE(catcher.messages().size(), std::size_t(1));
    QCOMPARE(catcher.messages().front().text,
             QStringLiteral("Nom de fichier incorrect ou chemin non valide"));
    QCOMPARE(catcher.messages().front().title, QStringLiteral("impossible d'ouvrir ce fichier"));
    QCOMPARE(catcher.messages().front().icon, QMessageBox::Critical);
    QVERIFY(dialog.isVisible());
    QVERIFY(child<QFrame>(dialog, "Frame1")->isHidden());
    QCOMPARE(m_main->document().path(), path);
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Alambix"));
    QCOMPARE(setupText(m_main->model().values()), QStringLiteral("00100000000000"));
    dialog.reject();
}

void OuvrirTest::damagedFileClosesAfterItsMessage_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");
    QTest::newRow("wrong signature")
        << record("ALAMBIXSCHEME") + record("11111111111111")
        << QStringLiteral("Ce fichier ne correspond pas à cette application");
    QTest::newRow("length field 65535")
        << record(65535, "ALAMBIXSCHEMA") << QStringLiteral("Lecture impossible sur disque");
}

void OuvrirTest::damagedFileClosesAfterItsMessage() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QVERIFY(putFile(m_dir->filePath(QStringLiteral("abime.C03")), bytes));
    Ouvrir dialog(m_main->document(), m_main->dessin());
    dialog.show();
    MessageCatcher catcher;
    bool noticeShown = false;
    catcher.onShow([&] { noticeShown = child<QFrame>(dialog, "Frame1")->isVisible(); });
    clickItem(child<QListWidget>(dialog, "File1"), QStringLiteral("abime.C03"), true);
    QCOMPARE(catcher.messages().size(), std::size_t(1));
    QCOMPARE(catcher.messages().front().text, text);
    QVERIFY(noticeShown);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(setupText(m_main->model().values()), QStringLiteral("00100000000000"));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Alambix"));
}

void OuvrirTest::navigatesFoldersAndVolumes() {
    Ouvrir dialog(m_main->document(), m_main->dessin());
    dialog.show();
    auto* dir1 = child<QListWidget>(dialog, "Dir1");
    auto* file1 = child<QListWidget>(dialog, "File1");
    QCOMPARE(dir1->item(0)->text(), m_dir->path());
    clickItem(dir1, QStringLiteral(".."), true);
    QCOMPARE(dir1->item(0)->text(), QFileInfo(m_dir->path()).absolutePath());
    QVERIFY(file1->findItems(QStringLiteral("distillation.C03"), Qt::MatchExactly).isEmpty());

    auto* drive1 = child<QComboBox>(dialog, "Drive1");
    QCOMPARE(drive1->itemData(0).toString(), QStringLiteral("/"));
    QCOMPARE(drive1->itemText(1), QStringLiteral("Dossier personnel"));
    QCOMPARE(drive1->itemData(1).toString(), QDir::homePath());
    drive1->setFocus();
    // Choosing a volume opens its root in the folder list.
    if (drive1->currentIndex() != 1) {
        drive1->setCurrentIndex(0);
        QTest::keyClick(drive1, Qt::Key_Down);
        QCOMPARE(dir1->item(0)->text(), QDir::homePath());
        QCOMPARE(drive1->currentIndex(), 1);
    }
    QTest::keyClick(drive1, Qt::Key_Home);
    QCOMPARE(drive1->currentIndex(), 0);
    QCOMPARE(dir1->item(0)->text(), QStringLiteral("/"));
    QVERIFY(dir1->findItems(QStringLiteral(".."), Qt::MatchExactly).isEmpty());
    dialog.reject();

    // A file in the root gets a single slash.
    QCOMPARE(joinPath(QStringLiteral("/"), QStringLiteral("a.C03")), QStringLiteral("/a.C03"));
    QCOMPARE(joinPath(QStringLiteral("/tmp"), QStringLiteral("a.C03")),
             QStringLiteral("/tmp/a.C03"));
}

void OuvrirTest::cancelChangesNothing() {
    Ouvrir dialog(m_main->document(), m_main->dessin());
    dialog.show();
    clickItem(child<QListWidget>(dialog, "File1"), QStringLiteral("distillation.C03"));
    QTest::mouseClick(child<QPushButton>(dialog, "Command2"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(m_main->document().path().isEmpty());
    QCOMPARE(setupText(m_main->model().values()), QStringLiteral("00100000000000"));
}

QTEST_MAIN(OuvrirTest)
#include "ouvrir_test.moc"
