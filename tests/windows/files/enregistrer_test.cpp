// The save dialog driven by clicks and keys.
#include "support/dialogs.h"
#include "support/files.h"
#include "support/messagecatcher.h"
#include "windows/files/enregistrer_dialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

using namespace alambix;

namespace {
const QString cannotWrite = QStringLiteral("Ecriture impossible sur disque");
} // namespace

class EnregistrerTest : public QObject, FileDialogFixture {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void layout();
    void savesTypedNames_data();
    void savesTypedNames();
    void refusedSaveKeepsTheDialog_data();
    void refusedSaveKeepsTheDialog();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void choosingAFolderKeepsOnlyTheName();
    void cancelSavesNothing();
};

void EnregistrerTest::init() {
    QVERIFY(openMainWindow(QPoint(100, 80)));
    m_main->model().click(Ballon);
    m_main->model().click(RefrigerantABoules);
}

void EnregistrerTest::cleanup() {
    closeMainWindow();
    QVERIFY(QApplication::topLevelWidgets().isEmpty() ||
            std::none_of(QApplication::topLevelWidgets().cbegin(),
                         QApplication::topLevelWidgets().cend(),
                         [](QWidget* w) { return w->isVisible(); }));
}

void EnregistrerTest::layout() {
    m_main->document().setPath(QStringLiteral("/tmp/ailleurs/ancien.C03"));
    Enregistrer dialog(m_main->document(), m_main.get());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Enregistrer les paramètres."));
    QCOMPARE(dialog.size(), QSize(371, 441));
    QCOMPARE(dialog.pos(), m_main->pos() + QPoint(20, 20));
    QCOMPARE(dialog.palette().color(QPalette::Window), QColor(232, 213, 191));
    QCOMPARE(child<QLabel>(dialog, "Label1")->text(), QStringLiteral("Lecteur:"));
    QCOMPARE(child<QLabel>(dialog, "Label3")->text(), QStringLiteral("Répertoire:"));
    QCOMPARE(child<QLabel>(dialog, "Label4")->text(), QStringLiteral("Fichiers enregistrés"));
    QCOMPARE(child<QLabel>(dialog, "Label2")->text(), QStringLiteral("Nom du fichier:"));
    QCOMPARE(child<QComboBox>(dialog, "Drive1")->geometry(), QRect(24, 24, 161, 21));
    QCOMPARE(child<QListWidget>(dialog, "Dir1")->geometry(), QRect(24, 67, 161, 261));
    QCOMPARE(child<QListWidget>(dialog, "File1")->geometry(), QRect(208, 24, 137, 305));
    QCOMPARE(child<QLineEdit>(dialog, "Text1")->geometry(), QRect(48, 360, 289, 21));
    auto* command1 = child<QPushButton>(dialog, "Command1");
    auto* command2 = child<QPushButton>(dialog, "Command2");
    QCOMPARE(command1->text(), QStringLiteral("ENREGISTRER"));
    QCOMPARE(command1->geometry(), QRect(216, 400, 121, 25));
    QCOMPARE(command2->text(), QStringLiteral("ANNULER"));
    QCOMPARE(command2->geometry(), QRect(48, 400, 121, 25));
    QCOMPARE(child<QLineEdit>(dialog, "Text1")->text(), m_main->document().path());

    const char* order[] = {"Drive1", "Dir1", "File1", "Text1", "Command1", "Command2"};
    QWidget* w = child<QWidget>(dialog, order[0]);
    for (std::size_t i = 1; i < std::size(order); ++i) {
        do
            w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus || w->objectName().isEmpty() ||
               !w->isEnabledTo(&dialog));
        QCOMPARE(w->objectName(), QString::fromLatin1(order[i]));
    }

    // The lists start in the folder last used and show set-up files of any case.
    QVERIFY(putFile(m_dir->filePath(QStringLiteral("b.c03")), "x"));
    QVERIFY(putFile(m_dir->filePath(QStringLiteral("a.C03")), "x"));
    QVERIFY(putFile(m_dir->filePath(QStringLiteral("c.txt")), "x"));
    Enregistrer second(m_main->document(), m_main.get());
    auto* file1 = child<QListWidget>(second, "File1");
    QCOMPARE(file1->count(), 2);
    QCOMPARE(file1->item(0)->text(), QStringLiteral("a.C03"));
    QCOMPARE(file1->item(1)->text(), QStringLiteral("b.c03"));
}

void EnregistrerTest::savesTypedNames_data() {
    QTest::addColumn<QString>("typed"); // %1 stands for the temporary folder
    QTest::addColumn<QString>("saved"); // relative to it
    QTest::addColumn<bool>("enter");    // Enter in the name, instead of a click on ENREGISTRER
    QTest::newRow("plain name") << "essai"
                                << "essai.C03" << false;
    QTest::newRow("with our suffix") << "essai.C03"
                                     << "essai.C03" << false;
    QTest::newRow("with another suffix") << "essai.txt"
                                         << "essai.C03" << false;
    QTest::newRow("two dots") << "essai.v2.txt"
                              << "essai.C03" << false;
    QTest::newRow("spaces around") << "  essai  "
                                   << "essai.C03" << false;
    QTest::newRow("full path") << "%1/autre/essai.txt"
                               << "autre/essai.C03" << false;
    QTest::newRow("full path, dotted folder") << "%1/projet.v2/essai"
                                              << "projet.v2/essai.C03" << false;
    QTest::newRow("Enter") << "clavier"
                           << "clavier.C03" << true;
}

void EnregistrerTest::savesTypedNames() {
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    QFETCH(bool, enter);
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("autre")));
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("projet.v2")));
    if (typed.contains(QLatin1String("%1"))) typed = typed.arg(m_dir->path());
    const QString path = m_dir->filePath(saved);

    Enregistrer dialog(m_main->document(), m_main.get());
    dialog.show();
    MessageCatcher catcher;
    typeInto(child<QLineEdit>(dialog, "Text1"), typed);
    if (enter)
        QTest::keyClick(child<QLineEdit>(dialog, "Text1"), Qt::Key_Return);
    else
        QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    QVERIFY(catcher.messages().empty());
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(m_main->document().path(), path);
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Alambix - ") + path);
    QCOMPARE(fileBytes(path), setupBytes("00010000100000"));
    QCOMPARE(FolderPicker::lastFolder(), m_dir->path());
}

void EnregistrerTest::refusedSaveKeepsTheDialog_data() {
    QTest::addColumn<QString>("typed"); // %1 stands for the temporary folder
    QTest::addColumn<QString>("message");
    const QString noName = QStringLiteral("Il faut donner un nom au fichier!");
    QTest::newRow("nothing") << "" << noName;
    QTest::newRow("spaces") << "    " << noName;
    QTest::newRow("spaces and a suffix") << "   .C03" << noName;
    QTest::newRow("a folder without a name") << "%1/projet.v2/" << noName;
    QTest::newRow("missing folder") << "%1/absent/essai" << cannotWrite;
    // Fails even for root, unlike a read-only folder.
    QTest::newRow("folder is a regular file") << "%1/fichier.txt/essai" << cannotWrite;
}

void EnregistrerTest::refusedSaveKeepsTheDialog() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    if (typed.contains(QLatin1String("%1"))) typed = typed.arg(m_dir->path());
    QVERIFY(putFile(m_dir->filePath(QStringLiteral("fichier.txt")), "texte"));
    Enregistrer dialog(m_main->document(), m_main.get());
    dialog.show();
    MessageCatcher catcher;
    typeInto(child<QLineEdit>(dialog, "Text1"), typed);
    QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    QCOMPARE(catcher.messages().size(), std::size_t(1));
    QCOMPARE(catcher.messages().front().text, message);
    QCOMPARE(catcher.messages().front().title, QStringLiteral("Enregistrement impossible"));
    QCOMPARE(catcher.messages().front().icon, QMessageBox::Critical);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.cursor().shape(), Qt::ArrowCursor);
    // The name tried is the set-up's, unless there was none.
    QCOMPARE(m_main->document().path(),
             message == cannotWrite ? typed + QStringLiteral(".C03") : QString());
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Alambix"));
    QCOMPARE(QDir(m_dir->path()).entryList({QStringLiteral("*.C03")}, QDir::Files).size(), 0);
    QCOMPARE(fileBytes(m_dir->filePath(QStringLiteral("fichier.txt"))), QByteArray("texte"));
}

void EnregistrerTest::overwriteQuestion_data() {
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void EnregistrerTest::overwriteQuestion() {
    QFETCH(bool, yes);
    const QString path = m_dir->filePath(QStringLiteral("existant.C03"));
    const QByteArray old = setupBytes("01000000000000");
    QVERIFY(putFile(path, old));
    Enregistrer dialog(m_main->document(), m_main.get());
    dialog.show();
    MessageCatcher catcher(yes ? QMessageBox::Yes : QMessageBox::No);
    clickItem(child<QListWidget>(dialog, "File1"), QStringLiteral("existant.C03"), true);
    QCOMPARE(catcher.messages().size(), std::size_t(1));
    const ShownMessage& question = catcher.messages().front();
    QCOMPARE(question.text, QStringLiteral("Ecraser le fichier existant?"));
    QCOMPARE(question.title, QStringLiteral("Ce fichier existe déjà!"));
    QCOMPARE(question.icon, QMessageBox::Warning);
    QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(m_main->document().path(), path);
    QCOMPARE(child<QLineEdit>(dialog, "Text1")->text(), path);
    if (yes) {
        QVERIFY(!dialog.isVisible());
        QCOMPARE(fileBytes(path), setupBytes("00010000100000"));
        QCOMPARE(m_main->windowTitle(), QStringLiteral("Alambix - ") + path);
    } else {
        QVERIFY(dialog.isVisible());
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(m_main->windowTitle(), QStringLiteral("Alambix"));
    }
}

void EnregistrerTest::choosingAFolderKeepsOnlyTheName() {
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("sous")));
    m_main->document().setPath(QStringLiteral("/ailleurs/charge.C03"));
    Enregistrer dialog(m_main->document(), m_main.get());
    dialog.show();
    auto* text1 = child<QLineEdit>(dialog, "Text1");
    QCOMPARE(text1->text(), m_main->document().path());
    auto* dir1 = child<QListWidget>(dialog, "Dir1");
    clickItem(dir1, QStringLiteral("  sous"));
    QCOMPARE(text1->text(), m_main->document().path()); // a single click only highlights
    QTest::keyClick(dir1, Qt::Key_Return);
    QCOMPARE(text1->text(), QStringLiteral("charge.C03"));
    QCOMPARE(child<QListWidget>(dialog, "File1")->count(), 0);
    QTest::mouseClick(child<QPushButton>(dialog, "Command1"), Qt::LeftButton);
    const QString path = m_dir->filePath(QStringLiteral("sous/charge.C03"));
    QCOMPARE(fileBytes(path), setupBytes("00010000100000"));
    // The folder saved into is where both dialogs open next.
    QCOMPARE(FolderPicker::lastFolder(), m_dir->filePath(QStringLiteral("sous")));

    // ".." goes back up.
    Enregistrer again(m_main->document(), m_main.get());
    again.show();
    auto* dir1again = child<QListWidget>(again, "Dir1");
    clickItem(dir1again, QStringLiteral(".."));
    QTest::keyClick(dir1again, Qt::Key_Return);
    QCOMPARE(dir1again->item(0)->text(), m_dir->path());
    QVERIFY(!dir1again->findItems(QStringLiteral("  sous"), Qt::MatchExactly).isEmpty());
    again.reject();
}

void EnregistrerTest::cancelSavesNothing() {
    Enregistrer dialog(m_main->document(), m_main.get());
    dialog.show();
    typeInto(child<QLineEdit>(dialog, "Text1"), QStringLiteral("jamais"));
    QTest::mouseClick(child<QPushButton>(dialog, "Command2"), Qt::LeftButton);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("jamais.C03"))));
    QVERIFY(m_main->document().path().isEmpty());

    // Escape in the name field cancels as well.
    Enregistrer again(m_main->document(), m_main.get());
    again.show();
    QVERIFY(QTest::qWaitForWindowActive(&again));
    auto* text1 = child<QLineEdit>(again, "Text1");
    typeInto(text1, QStringLiteral("jamais"));
    QTest::keyClick(text1, Qt::Key_Escape);
    QVERIFY(!again.isVisible());
    QCOMPARE(again.result(), int(QDialog::Rejected));
    QVERIFY(!QFile::exists(m_dir->filePath(QStringLiteral("jamais.C03"))));
}

QTEST_MAIN(EnregistrerTest)
#include "enregistrer_test.moc"
