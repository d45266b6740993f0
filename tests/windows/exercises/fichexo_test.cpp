// The exercise window over the main window, driven by clicks and keys: the list, the preview,
// the opening and the correction, the failures, the banner's pixels.
#include "support/dialogs.h"
#include "support/files.h"
#include "support/messagecatcher.h"
#include "support/rtfsamples.h"
#include "windows/exercises/exercisemenu.h"
#include "windows/exercises/fichexo_window.h"
#include "windows/files/folderpicker.h"
#include "windows/main/dessin_widget.h"
#include "windows/main/feuillep_window.h"

#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <memory>

using namespace alambix;

namespace {
bool samePicture(const QLabel* a, const QLabel* b) {
    return a->pixmap().toImage() == b->pixmap().toImage();
}
} // namespace

class FichexoTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void coversTheMainWindowAndSelectsTheFirstExercise();
    void previews_data();
    void previews();
    void folderWithoutExercises();
    void opens_data();
    void opens();
    void failuresKeepTheWindow();
    void fileNamedAtStart_data();
    void fileNamedAtStart();
    void bannerFadesToWhite();
    void menuShowsTheWindowModally();
    void packFitsThePanel_data();
    void packFitsThePanel();

private:
    // The workspace the main window's exercise menu works on, the window starting in `program`.
    ExerciseWorkspace workspace(const QString& program) {
        return {m_main->exercise(),
                *supertext(),
                m_main->document(),
                *m_main->dessin(),
                *m_main,
                [this] { m_main->ecritintro(); },
                program};
    }
    QTextEdit* supertext() { return child<QTextEdit>(*m_main, "supertext"); }
    QString pack() const { return m_program.filePath(QStringLiteral("exercices")); }
    void showWindow(Fichexo& window) {
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // The first exercise is selected once the window stands.
        QCoreApplication::processEvents();
    }

    QTemporaryDir m_program; // exercices/: the pack
    QTemporaryDir m_empty;   // exercices/: nothing
    QTemporaryDir m_damaged; // exercices/: a damaged exercise and one whose statement is missing
    std::unique_ptr<FeuilleP> m_main;
};

void FichexoTest::initTestCase() {
    for (const QTemporaryDir* dir : {&m_program, &m_empty, &m_damaged}) {
        QVERIFY(dir->isValid());
        QVERIFY(QDir(dir->path()).mkdir(QStringLiteral("exercices")));
    }
    const QDir source(QStringLiteral(ALAMBIX_PACK_DIR));
    const QStringList files = source.entryList(QDir::Files);
    QVERIFY(files.contains(QStringLiteral("reflux.E08")));
    for (const QString& name : files)
        QVERIFY(QFile::copy(source.filePath(name), pack() + QLatin1Char('/') + name));
    QVERIFY(putFile(m_empty.filePath(QStringLiteral("exercices/notes.txt")), "pas un exercice"));
    const QString damaged = m_damaged.filePath(QStringLiteral("exercices/"));
    QVERIFY(putFile(damaged + "abime.E08", record("a.rtf") + record("") + record(300, "x")));
    QVERIFY(putFile(damaged + "a.rtf", "{\\rtf1 A\\par}"));
    QVERIFY(putFile(damaged + "absent.E08", record("absent.rtf") + record("") + record("c.rtf") +
                                                record("") + record("2")));
}

void FichexoTest::init() {
    m_main = std::make_unique<FeuilleP>(m_program.path());
    m_main->move(40, 30);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void FichexoTest::cleanup() {
    m_main.reset();
}

void FichexoTest::coversTheMainWindowAndSelectsTheFirstExercise() {
    Fichexo window(workspace(m_program.path()));
    showWindow(window);
    QCOMPARE(window.geometry(), m_main->geometry());
    QCOMPARE(window.windowTitle(), m_main->windowTitle());
    QVERIFY(window.isModal());
    FileList* list = window.picker()->fileList();
    QCOMPARE(list->item(0)->text(), QStringLiteral("ccm.E08"));
    QVERIFY(list->item(0)->isSelected());
    QVERIFY(list->hasFocus());
    QCOMPARE(child<QLineEdit>(window, "fichierexo")->text(), pack() + "/ccm.E08");
    QCOMPARE(m_main->exercise().repexo(), pack() + "/");
    QCOMPARE(child<QLineEdit>(window, "fichierexo")->geometry().right(), window.width() - 1);
    QVERIFY(child<QFrame>(window, "Frame2")->isHidden());
    // The shadow lies just below and right of the caption, behind it.
    QLabel* label2 = child<QLabel>(window, "Label2");
    QLabel* label3 = child<QLabel>(window, "Label3");
    QCOMPARE(label3->pos(), label2->pos() + QPoint(1, 1));
    QCOMPARE(label3->text(), label2->text());
    QVERIFY(window.children().indexOf(label3) < window.children().indexOf(label2));
}

void FichexoTest::previews_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("lamps");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("notions");
    QTest::newRow("corrected, level 2")
        << "reflux.E08"
        << "Exercice corrigé" << 2 << "Synthèse d'un arôme de banane"
        << "Chauffage à reflux ; rôle du réfrigérant à boules ; estérification ; circulation de "
           "l'eau.";
    QTest::newRow("not corrected, level 3")
        << "vin.E08"
        << "Non corrigé" << 3 << "Du vin à l'alcool : quel montage ?"
        << "Choisir un montage ; justifier chaque élément ; sécurité au laboratoire.";
}

void FichexoTest::previews() {
    QFETCH(QString, file);
    QFETCH(int, lamps);
    Fichexo window(workspace(m_program.path()));
    showWindow(window);
    clickItem(window.picker()->fileList(), file);
    QVERIFY(child<QLabel>(window, "intratro")->isHidden());
    QVERIFY(child<QToolButton>(window, "ouvreur")->isVisible());
    QVERIFY(child<QLabel>(window, "Label4")->isVisible());
    QVERIFY(child<QLabel>(window, "Label1")->isVisible());
    QTEST(child<QLabel>(window, "Label2")->text(), "caption");
    QTEST(child<QLabel>(window, "Label3")->text(), "caption");
    QTEST(child<QLabel>(window, "titratexo")->text(), "title");
    QTEST(child<QPlainTextEdit>(window, "Text1")->toPlainText(), "notions");
    const QLabel* lit = child<QLabel>(window, "Imagalu");
    const QLabel* dark = child<QLabel>(window, "Imagenoir");
    QVERIFY(!samePicture(lit, dark));
    for (int i = 0; i < 3; ++i) {
        const QLabel* lamp = window.findChild<QLabel*>(QStringLiteral("Image4_%1").arg(i));
        QVERIFY(lamp && lamp->isVisible());
        QVERIFY2(samePicture(lamp, i < lamps ? lit : dark), qPrintable(lamp->objectName()));
    }
    QCOMPARE(child<QLineEdit>(window, "fichierexo")->text(), pack() + "/" + file);
}

void FichexoTest::folderWithoutExercises() {
    Fichexo window(workspace(m_empty.path()));
    showWindow(window);
    QCOMPARE(window.picker()->fileList()->count(), 0);
    QVERIFY(child<QLabel>(window, "intratro")->isVisible());
    QCOMPARE(child<QLabel>(window, "intratro")->text(), QStringLiteral("Sélectionner un fichier"));
    QVERIFY(child<QToolButton>(window, "ouvreur")->isHidden());
    QVERIFY(child<QLabel>(window, "Label2")->isHidden());
    QVERIFY(child<QLineEdit>(window, "fichierexo")->text().isEmpty());
}

void FichexoTest::opens_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("corrected");
    QTest::addColumn<QString>("caption"); // the main window's afterwards
    QTest::newRow("Enter, corrected") << "enter"
                                      << "reflux" << true << "reflux.C03";
    QTest::newRow("double-click, not corrected") << "double-click"
                                                 << "vin" << false << "";
    QTest::newRow("ouvreur, corrected without a set-up") << "ouvreur"
                                                         << "entrainement" << true << "";
}

void FichexoTest::opens() {
    QFETCH(QString, way);
    QFETCH(QString, name);
    QFETCH(bool, corrected);
    QFETCH(QString, caption);
    auto* window = new Fichexo(workspace(m_program.path()));
    showWindow(*window);
    FileList* list = window->picker()->fileList();
    clickItem(list, name + ".E08", way == QLatin1String("double-click"));
    if (way == QLatin1String("enter")) QTest::keyClick(list, Qt::Key_Return);
    if (way == QLatin1String("ouvreur"))
        QTest::mouseClick(child<QToolButton>(*window, "ouvreur"), Qt::LeftButton);
    QVERIFY(window->isHidden());
    QCOMPARE(window->result(), int(QDialog::Accepted));
    delete window;

    const QString exercise = pack() + "/" + name + ".E08";
    QCOMPARE(m_main->exercise().fich(), exercise);
    QCOMPARE(child<QLineEdit>(*m_main, "fich")->text(), exercise);
    QCOMPARE(m_main->exercise().exocorrige(), corrected);
    QVERIFY(!m_main->exercise().textemodifie());
    QVERIFY(!supertext()->isReadOnly());
    QCOMPARE(supertext()->toPlainText(), rtfFileText(pack() + "/" + name + ".rtf"));
    QCOMPARE(m_main->windowTitle(),
             caption.isEmpty() ? QStringLiteral("Alambix") : "Alambix - " + pack() + "/" + caption);

    // The menu offers the correction only for a corrected exercise.
    auto* menu = child<ExerciseMenu>(*m_main, "optionexo");
    menu->popupFor(m_main->mapToGlobal(QPoint(400, 200)));
    QAction* opencor = menu->findChild<QAction*>(QStringLiteral("opencor"));
    QCOMPARE(opencor->isEnabled(), corrected);
    menu->hide();
    if (!corrected) return;

    // A pupil's edits are lost only after the question.
    QTest::keyClicks(supertext(), QStringLiteral("ma reponse"));
    QVERIFY(m_main->exercise().textemodifie());
    MessageCatcher catcher(QMessageBox::Cancel);
    opencor->trigger();
    QCOMPARE(catcher.messages().size(), std::size_t(1));
    QCOMPARE(catcher.messages().front().title, QStringLiteral("Abandon des données?"));
    QVERIFY(!supertext()->isReadOnly());
    catcher.setAnswer(QMessageBox::Ok);
    opencor->trigger();
    QCOMPARE(supertext()->toPlainText(), rtfFileText(pack() + "/" + name + "-corrige.rtf"));
    QVERIFY(supertext()->isReadOnly());
    QVERIFY(!m_main->exercise().textemodifie());
    QCOMPARE(m_main->windowTitle(), "Alambix - " + pack() + "/" + name + "-corrige.C03");
    QCOMPARE(m_main->cursor().shape(), Qt::ArrowCursor);
}

void FichexoTest::failuresKeepTheWindow() {
    MessageCatcher catcher;
    Fichexo window(workspace(m_damaged.path()));
    showWindow(window);
    // The first exercise, selected on activation, is damaged.
    QCOMPARE(catcher.messages().size(), std::size_t(1));
    QCOMPARE(catcher.messages().front().title, QStringLiteral("Lecture impossible"));
    QCOMPARE(catcher.messages().front().text,
             QStringLiteral("Vérifier:\n- le nom du fichier,\n- l'état du lecteur."));
    QCOMPARE(catcher.messages().front().icon, QMessageBox::Critical);
    QVERIFY(child<QLabel>(window, "Label2")->isVisible());
    QVERIFY(window.findChild<QLabel*>(QStringLiteral("Image4_0"))->isHidden());
    QVERIFY(child<QPlainTextEdit>(window, "Text1")->toPlainText().isEmpty());

    FileList* list = window.picker()->fileList();
    clickItem(list, QStringLiteral("absent.E08"));
    QCOMPARE(child<QLabel>(window, "Label2")->text(), QStringLiteral("Exercice corrigé"));
    QTest::keyClick(list, Qt::Key_Enter);
    QCOMPARE(catcher.messages().size(), std::size_t(2));
    QCOMPARE(catcher.messages().back().title, QStringLiteral("Fichier absent"));
    QCOMPARE(catcher.messages().back().text,
             "Le fichier " + m_damaged.path() + "/exercices/absent.rtf est introuvable");
    QVERIFY(window.isVisible());
    QVERIFY(child<QFrame>(window, "Frame2")->isHidden());
    QVERIFY(m_main->exercise().fich().isEmpty());
    QVERIFY(supertext()->isReadOnly());

    // The damaged exercise's statement still opens; the caption left by the other exercise
    // does not make it a corrected one.
    clickItem(list, QStringLiteral("abime.E08"));
    QCOMPARE(catcher.messages().size(), std::size_t(3));
    QCOMPARE(child<QLabel>(window, "Label2")->text(), QStringLiteral("Exercice corrigé"));
    QTest::keyClick(list, Qt::Key_Enter);
    QVERIFY(window.isHidden());
    QCOMPARE(m_main->exercise().fich(), m_damaged.path() + "/exercices/abime.E08");
    QVERIFY(!m_main->exercise().exocorrige());
}

void FichexoTest::fileNamedAtStart_data() {
    QTest::addColumn<QString>("path");  // below the program folder ("damaged:" the other one)
    QTest::addColumn<QString>("title"); // of the message; none when it opens
    QTest::newRow("pack exercise") << "exercices/reflux.E08"
                                   << "";
    QTest::newRow("missing statement") << "damaged:exercices/absent.E08"
                                       << "Fichier absent";
    QTest::newRow("no such file") << "exercices/nulle-part.E08"
                                  << "Lecture impossible";
}

void FichexoTest::fileNamedAtStart() {
    QFETCH(QString, path);
    QFETCH(QString, title);
    const QString file = path.startsWith(QLatin1String("damaged:"))
                             ? m_damaged.filePath(path.mid(8))
                             : m_program.filePath(path);
    MessageCatcher catcher;
    m_main->openExerciseFile(file);
    if (!title.isEmpty()) {
        QCOMPARE(catcher.messages().size(), std::size_t(1));
        QCOMPARE(catcher.messages().front().title, title);
        QVERIFY(m_main->exercise().fich().isEmpty());
        QVERIFY(supertext()->isReadOnly());
        QCOMPARE(m_main->windowTitle(), QStringLiteral("Alambix"));
        return;
    }
    QVERIFY(catcher.messages().empty());
    QCOMPARE(m_main->exercise().fich(), file);
    QCOMPARE(m_main->exercise().repexo(), pack() + "/");
    QVERIFY(m_main->exercise().exocorrige());
    QVERIFY(!supertext()->isReadOnly());
    QCOMPARE(supertext()->toPlainText(), rtfFileText(pack() + "/reflux.rtf"));
    QCOMPARE(m_main->windowTitle(), "Alambix - " + pack() + "/reflux.C03");
}

void FichexoTest::bannerFadesToWhite() {
    Fichexo window(workspace(m_program.path()));
    showWindow(window);
    const QImage banner = child<QWidget>(window, "tito")->grab().toImage();
    QCOMPARE(banner.pixelColor(1, 1), QColor(0, 128, 128));
    // The letters' full-coverage pixels: red 255; the leftmost and rightmost columns of text.
    int first = -1;
    int last = -1;
    for (int x = 0; x < banner.width(); ++x)
        for (int y = 0; y < banner.height(); ++y)
            if (banner.pixelColor(x, y).red() == 255) {
                if (first < 0) first = x;
                last = x;
            }
    QVERIFY(first > 0 && last > first);
    auto blueAt = [&](int x) {
        for (int y = 0; y < banner.height(); ++y)
            if (banner.pixelColor(x, y).red() == 255) return banner.pixelColor(x, y).blue();
        return -1;
    };
    QVERIFY2(qAbs(blueAt(first) - 161) <= 1, qPrintable(QString::number(blueAt(first))));
    QVERIFY2(blueAt(last) >= 254, qPrintable(QString::number(blueAt(last))));
}

void FichexoTest::menuShowsTheWindowModally() {
    auto* menu = child<ExerciseMenu>(*m_main, "optionexo");
    QAction* openexo = menu->findChild<QAction*>(QStringLiteral("openexo"));
    // Unsaved edits, kept on Cancel: no window.
    m_main->exercise().setFich(QStringLiteral("/ailleurs/precedent.E08"));
    m_main->exercise().setTextemodifie(true);
    MessageCatcher catcher(QMessageBox::Cancel);
    openexo->trigger();
    QCOMPARE(catcher.messages().size(), std::size_t(1));
    QVERIFY(m_main->exercise().textemodifie());
    QVERIFY(!m_main->findChild<Fichexo*>());

    // OK: the window shows, modal, in the pack; Image5 closes it with nothing loaded.
    catcher.setAnswer(QMessageBox::Ok);
    QString shownFile;
    QTimer poll;
    poll.setInterval(20);
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* window = qobject_cast<Fichexo*>(QApplication::activeModalWidget());
        if (!window || !window->isVisible()) return;
        poll.stop();
        QCoreApplication::processEvents();
        shownFile = child<QLineEdit>(*window, "fichierexo")->text();
        QTest::mouseClick(child<QToolButton>(*window, "Image5"), Qt::LeftButton);
    });
    poll.start();
    QTimer::singleShot(10000, this, [] {
        if (auto* window = qobject_cast<Fichexo*>(QApplication::activeModalWidget()))
            window->reject();
    });
    openexo->trigger();
    QCOMPARE(shownFile, pack() + "/ccm.E08");
    QVERIFY(!m_main->findChild<Fichexo*>());
    QCOMPARE(m_main->exercise().fich(), QStringLiteral("/ailleurs/precedent.E08"));
    QVERIFY(!m_main->exercise().textemodifie());
}

void FichexoTest::packFitsThePanel_data() {
    QTest::addColumn<QString>("name");
    for (const QString& file : QDir(QStringLiteral(ALAMBIX_PACK_DIR)).entryList({"*.E08"}))
        QTest::newRow(qPrintable(file)) << file;
}

// Every statement and correction of the pack, in the panel at the window's design size, needs
// no sideways scrolling: its tables and pictures fit.
void FichexoTest::packFitsThePanel() {
    QFETCH(QString, name);
    QTextEdit* panel = supertext();
    QCOMPARE(m_main->size(), QSize(800, 600) - (m_main->frameGeometry().size() - m_main->size()));
    m_main->openExerciseFile(pack() + QLatin1Char('/') + name);
    QCOMPARE(m_main->exercise().fich(), pack() + QLatin1Char('/') + name);
    QCoreApplication::processEvents();
    QCOMPARE(panel->horizontalScrollBar()->maximum(), 0);
    if (!m_main->exercise().exocorrige()) return;
    ExerciseMenu* menu = child<ExerciseMenu>(*m_main, "optionexo");
    menu->findChild<QAction*>(QStringLiteral("opencor"))->trigger();
    QVERIFY(!panel->toPlainText().isEmpty());
    QCoreApplication::processEvents();
    QCOMPARE(panel->horizontalScrollBar()->maximum(), 0);
}

QTEST_MAIN(FichexoTest)
#include "fichexo_test.moc"
