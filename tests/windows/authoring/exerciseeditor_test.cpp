// The exercise editor beside the main window, driven by clicks and keys as a teacher drives it:
// an exercise made from nothing and opened as a pupil would, one of the pack changed, the
// questions before replacing or losing anything, the refusals, the way in from the exercise
// window.
#include "core/exercisefile.h"
#include "core/setupfile.h"
#include "support/dialogs.h"
#include "support/files.h"
#include "support/messagecatcher.h"
#include "support/typing.h"
#include "windows/authoring/exerciseeditor_window.h"
#include "windows/authoring/levellamps.h"
#include "windows/exercises/exercisemenu.h"
#include "windows/exercises/fichexo_window.h"
#include "windows/main/elementbutton.h"
#include "windows/main/feuillep_window.h"
#include "windows/text/formatbar.h"
#include "windows/text/textpanel.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QToolButton>

#include <memory>

using namespace alambix;

namespace {
const QString flaskFlags = QStringLiteral("00010000000000");
const QString distillationFlags = QStringLiteral("00110000011100");

void click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

QString setupOf(FeuilleP& main) {
    return setupText(main.model().values());
}

bool hasPicture(const QTextDocument& document) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat()) return true;
    return false;
}
} // namespace

class ExerciseEditorTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void makesAnExerciseAPupilOpens();
    void saysWhatTheFileCannotHold();
    void changesAnExerciseOfThePack();
    void asksBeforeReplacingAnExercise();
    void closingAsksAboutChanges_data();
    void closingAsksAboutChanges();
    void fitsASmallScreen();
    void exerciseWindowLeadsToTheEditor();

private:
    ExerciseMenu* menu() { return child<ExerciseMenu>(*m_main, "optionexo"); }
    void clickElement(int index) {
        click(child<ElementButton>(*m_main, qPrintable(QStringLiteral("Check1_%1").arg(index))));
    }
    // A new exercise in its own editor, shown.
    ExerciseEditor* newEditor() {
        menu()->findChild<QAction*>(QStringLiteral("nouvelexo"))->trigger();
        auto* editor = qobject_cast<ExerciseEditor*>(QApplication::activeWindow());
        if (!editor) {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* found = qobject_cast<ExerciseEditor*>(widget)) editor = found;
        }
        if (editor && !QTest::qWaitForWindowExposed(editor)) return nullptr;
        return editor;
    }
    QString pack() const { return m_program.filePath(QStringLiteral("exercices")); }

    QTemporaryDir m_program; // exercices/: the starter pack
    QTemporaryDir m_home;    // Documents/: where the teacher's exercises go
    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<FeuilleP> m_main;
};

void ExerciseEditorTest::initTestCase() {
    QVERIFY(m_program.isValid() && m_home.isValid());
    QVERIFY(QFile::link(QStringLiteral(ALAMBIX_PACK_DIR), pack()));
    QVERIFY(QDir(m_home.path()).mkdir(QStringLiteral("Documents")));
    qputenv("HOME", QFile::encodeName(m_home.path()));
}

void ExerciseEditorTest::init() {
    m_work = std::make_unique<QTemporaryDir>();
    FolderPicker::setLastFolder(m_work->path());
    m_main = std::make_unique<FeuilleP>(m_program.path());
    m_main->move(20, 20);
    m_main->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_main.get()));
}

void ExerciseEditorTest::cleanup() {
    // Whatever editor is left goes with the main window, unasked.
    m_main.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget* widget : QApplication::topLevelWidgets())
        QVERIFY2(!qobject_cast<ExerciseEditor*>(widget), "an editor outlived the main window");
}

void ExerciseEditorTest::makesAnExerciseAPupilOpens() {
    clickElement(3); // the flask: the statement's set-up
    ExerciseEditor* editor = newEditor();
    QVERIFY(editor);
    QCOMPARE(editor->windowTitle(), QStringLiteral("Nouvel exercice[*] - Éditeur d'exercices"));

    typeText(child<QLineEdit>(*editor, "titre"), QStringLiteral("Séparer l'éthanol"));
    QCOMPARE(child<QLabel>(*editor, "titrereste")->text(),
             QStringLiteral("109 caractères restants"));
    QVERIFY(editor->isWindowModified());
    auto* lamps = child<LevelLamps>(*editor, "niveau");
    QTest::mouseClick(lamps, Qt::LeftButton, {}, lamps->lampRect(2).center());
    QTest::keyClick(lamps, Qt::Key_Left);
    QCOMPARE(lamps->level(), 2);
    typeText(child<QPlainTextEdit>(*editor, "notions"), QStringLiteral("Distillation"));

    auto* statement = child<TextPanel>(*editor, "enonce");
    QTest::mouseClick(statement->viewport(), Qt::LeftButton);
    typeText(statement, QStringLiteral("L'éthanol C2H5OH bout. "));
    // The formatting bar stands over it, and formulae format themselves as in the main window.
    QVERIFY(statement->formatBar() && statement->formatBar()->isVisible());
    QTextCursor digit(statement->document());
    digit.setPosition(statement->toPlainText().indexOf(QLatin1Char('2')) + 1);
    QCOMPARE(digit.charFormat().verticalAlignment(), QTextCharFormat::AlignSubScript);
    click(child<QPushButton>(*editor, "enonce-schema"));
    QVERIFY(hasPicture(*statement->document()));
    click(child<QRadioButton>(*editor, "enonce-actuel"));
    QVERIFY(child<QLabel>(*editor, "enonce-vignette")->pixmap().toImage().height() > 0);

    // The correction's set-up is built in the main window meanwhile.
    for (int element : {10, 11, 9, 2})
        clickElement(element);
    QCOMPARE(setupOf(*m_main), distillationFlags);
    auto* tabs = child<QTabWidget>(*editor, "documents");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(1).center());
    auto* correction = child<TextPanel>(*editor, "corrige");
    QTest::mouseClick(correction->viewport(), Qt::LeftButton);
    typeText(correction, QStringLiteral("Une distillation."));
    click(child<QRadioButton>(*editor, "corrige-actuel"));

    const QString path = m_work->filePath(QStringLiteral("ethanol.E08"));
    {
        DialogAnswerer answerer(QStringLiteral("ethanol"));
        click(child<QPushButton>(*editor, "enregistrer"));
        QCOMPARE(answerer.shown(), 1);
        QCOMPARE(answerer.startFolder(), m_work->path());
    }
    QVERIFY(!editor->isWindowModified());
    QCOMPARE(editor->windowTitle(), QStringLiteral("ethanol.E08[*] - Éditeur d'exercices"));
    QCOMPARE(QDir(m_work->path()).entryList(QDir::Files),
             (QStringList{"ethanol-corrige.C03", "ethanol-corrige.rtf", "ethanol.C03",
                          "ethanol.E08", "ethanol.rtf"}));

    // The pupil opens it: the statement and its set-up, then the correction and its own.
    m_main->openExerciseFile(path);
    auto* supertext = child<QTextEdit>(*m_main, "supertext");
    QVERIFY(supertext->toPlainText().startsWith(QStringLiteral("L'éthanol C2H5OH bout.")));
    QVERIFY(hasPicture(*supertext->document()));
    QCOMPARE(setupOf(*m_main), flaskFlags);
    QVERIFY(m_main->exercise().canCheckSetup());
    menu()->findChild<QAction*>(QStringLiteral("opencor"))->trigger();
    QCOMPARE(supertext->toPlainText(), QStringLiteral("Une distillation."));
    QCOMPARE(setupOf(*m_main), distillationFlags);

    // The title changed and saved again where it is: no question, no dialog.
    editor->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(editor));
    auto* title = child<QLineEdit>(*editor, "titre");
    title->setFocus();
    QTest::keyClick(title, Qt::Key_End);
    typeText(title, QStringLiteral(" et de l'eau"));
    {
        DialogAnswerer answerer(QStringLiteral("ailleurs"));
        QTest::keyClick(title, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(answerer.shown(), 0);
    }
    QCOMPARE(previewExerciseFile(path)->title, QStringLiteral("Séparer l'éthanol et de l'eau"));
    QVERIFY(!editor->isWindowModified());
}

void ExerciseEditorTest::saysWhatTheFileCannotHold() {
    ExerciseEditor* editor = newEditor();
    QVERIFY(editor);
    auto* warning = child<QLabel>(*editor, "avertissement");
    typeText(child<QLineEdit>(*editor, "titre"), QStringLiteral("Le 中"));
    QVERIFY(warning->isVisible());
    const QString refused =
        QStringLiteral("Le titre contient « 中 » : le fichier d'exercice ne peut pas enregistrer "
                       "ce caractère.");
    QCOMPARE(warning->text(), refused);
    // More notions than the file holds: counted down below zero, refused on saving.
    typeText(child<QPlainTextEdit>(*editor, "notions"), QString(506, QLatin1Char('n')));
    QCOMPARE(child<QLabel>(*editor, "notionsreste")->text(),
             QStringLiteral("2 caractères de trop"));

    const QStringList before = QDir(m_work->path()).entryList(QDir::AllEntries | QDir::Hidden);
    MessageCatcher catcher;
    DialogAnswerer answerer(QStringLiteral("exo"));
    click(child<QPushButton>(*editor, "enregistrer"));
    // Refused before a name is asked for: no name mends it.
    QCOMPARE(answerer.shown(), 0);
    QCOMPARE(catcher.messages().size(), std::size_t(1));
    QCOMPARE(catcher.messages()[0].text, refused);
    QCOMPARE(catcher.messages()[0].icon, QMessageBox::Critical);

    QLineEdit* title = child<QLineEdit>(*editor, "titre");
    title->clear();
    typeText(title, QStringLiteral("Le titre"));
    QVERIFY(warning->isHidden());
    click(child<QPushButton>(*editor, "enregistrer"));
    QCOMPARE(catcher.messages().size(), std::size_t(2));
    QCOMPARE(catcher.messages()[1].text,
             QStringLiteral("Les notions ont 506 caractères : un exercice en garde 504 au plus."));
    QCOMPARE(QDir(m_work->path()).entryList(QDir::AllEntries | QDir::Hidden), before);
    QVERIFY(editor->isWindowModified());
}

void ExerciseEditorTest::changesAnExerciseOfThePack() {
    ExerciseEditor* editor = menu()->editExercise(pack() + QStringLiteral("/reflux.E08"));
    QVERIFY(editor);
    QCOMPARE(child<QLineEdit>(*editor, "titre")->text(),
             QStringLiteral("Synthèse d'un arôme de banane"));
    QCOMPARE(child<LevelLamps>(*editor, "niveau")->level(), 2);
    QVERIFY(child<QPlainTextEdit>(*editor, "notions")->toPlainText().startsWith("Chauffage"));
    QVERIFY(child<TextPanel>(*editor, "enonce")->toPlainText().contains("banane"));
    QVERIFY(hasPicture(*child<TextPanel>(*editor, "corrige")->document()));
    QVERIFY(child<QRadioButton>(*editor, "enonce-fichier")->isChecked());
    QCOMPARE(child<QLabel>(*editor, "corrige-nomfichier")->text(),
             QStringLiteral("reflux-corrige.C03"));
    QVERIFY(!editor->isWindowModified());
    // The same exercise asked for again: the same editor.
    QCOMPARE(menu()->editExercise(pack() + QStringLiteral("/reflux.E08")), editor);

    QVERIFY(QTest::qWaitForWindowActive(editor));
    child<LevelLamps>(*editor, "niveau")->setFocus();
    QTest::keyClick(child<LevelLamps>(*editor, "niveau"), Qt::Key_3);
    // The pack is the program's: the save goes to the teacher's documents.
    const QString documents = m_home.filePath(QStringLiteral("Documents"));
    {
        DialogAnswerer answerer(QStringLiteral("banane"));
        QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(answerer.shown(), 1);
        QCOMPARE(answerer.startFolder(), documents);
    }
    const auto saved = readExerciseFile(documents + QStringLiteral("/banane.E08"));
    QVERIFY(saved);
    QCOMPARE(saved->level, 3);
    QCOMPARE(saved->correctionSetup, QStringLiteral("banane-corrige.C03"));
    QCOMPARE(readSetupFile(documents + QStringLiteral("/banane-corrige.C03")).flags,
             QStringLiteral("00010000100000"));
    QCOMPARE(fileBytes(pack() + QStringLiteral("/reflux.E08")),
             fileBytes(QStringLiteral(ALAMBIX_PACK_DIR "/reflux.E08")));
}

void ExerciseEditorTest::asksBeforeReplacingAnExercise() {
    const QString old = m_work->filePath(QStringLiteral("exo.rtf"));
    QVERIFY(putFile(old, "{\\rtf1 Ancien.\\par}"));
    ExerciseEditor* editor = newEditor();
    QVERIFY(editor);
    typeText(child<QLineEdit>(*editor, "titre"), QStringLiteral("Nouveau"));
    MessageCatcher catcher(QMessageBox::Cancel);
    {
        DialogAnswerer answerer(QStringLiteral("exo"));
        QVERIFY(!editor->saveAs());
    }
    QCOMPARE(catcher.messages().size(), std::size_t(1));
    QCOMPARE(catcher.messages()[0].title, QStringLiteral("Remplacer l'exercice?"));
    QCOMPARE(catcher.messages()[0].text,
             "Ce fichier existe déjà dans " + m_work->path() +
                 " :\n- exo.rtf\nLes remplacer par ceux de cet exercice?");
    QCOMPARE(fileBytes(old), QByteArray("{\\rtf1 Ancien.\\par}"));
    QVERIFY(!QFile::exists(m_work->filePath(QStringLiteral("exo.E08"))));

    catcher.setAnswer(QMessageBox::Ok);
    DialogAnswerer answerer(QStringLiteral("exo"));
    QVERIFY(editor->saveAs());
    QVERIFY(QFile::exists(m_work->filePath(QStringLiteral("exo.E08"))));
    QVERIFY(fileBytes(old) != QByteArray("{\\rtf1 Ancien.\\par}"));
}

void ExerciseEditorTest::closingAsksAboutChanges_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("saved");
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << false << false;
    QTest::newRow("discard") << int(QMessageBox::Discard) << true << false;
    QTest::newRow("save") << int(QMessageBox::Save) << true << true;
}

void ExerciseEditorTest::closingAsksAboutChanges() {
    QFETCH(int, answer);
    QPointer<ExerciseEditor> editor = newEditor();
    QVERIFY(editor);
    typeText(child<QLineEdit>(*editor, "titre"), QStringLiteral("À garder"));
    MessageCatcher catcher{QMessageBox::StandardButton(answer)};
    DialogAnswerer answerer(QStringLiteral("garde"));
    editor->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(catcher.messages().size(), std::size_t(1));
    QCOMPARE(catcher.messages()[0].title, QStringLiteral("Exercice modifié"));
    QTEST(editor.isNull(), "closed");
    QTEST(QFile::exists(m_work->filePath(QStringLiteral("garde.E08"))), "saved");
    // Closing the program asks the same, after its own question.
    if (editor) {
        catcher.queueAnswers({QMessageBox::Ok, QMessageBox::Cancel});
        QVERIFY(!m_main->close());
        QVERIFY(!editor.isNull());
    }
}

void ExerciseEditorTest::fitsASmallScreen() {
    ExerciseEditor* editor = newEditor();
    QVERIFY(editor);
    const QRect screen = editor->screen()->availableGeometry();
    QVERIFY2(screen.width() <= 1024, "the test screen is a small one");
    QVERIFY(screen.contains(editor->geometry()));
    // Nothing is squeezed below what it needs.
    QVERIFY(editor->minimumSizeHint().width() <= editor->width());
    QVERIFY(editor->minimumSizeHint().height() <= editor->height());
}

void ExerciseEditorTest::exerciseWindowLeadsToTheEditor() {
    // The list's own button, for the exercise selected: the window closes on the editor.
    QTimer::singleShot(0, this, [this] {
        auto* fichexo = qobject_cast<Fichexo*>(QApplication::activeModalWidget());
        QVERIFY(fichexo);
        QTest::qWait(50);
        clickItem(fichexo->picker()->fileList(), QStringLiteral("vin.E08"));
        auto* modifier = child<QToolButton>(*fichexo, "modifierexo");
        QVERIFY(modifier->isVisible());
        QTest::keyClick(fichexo, Qt::Key_M, Qt::ControlModifier);
    });
    menu()->findChild<QAction*>(QStringLiteral("openexo"))->trigger();
    ExerciseEditor* editor = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* found = qobject_cast<ExerciseEditor*>(widget)) editor = found;
    QVERIFY(editor);
    QCOMPARE(child<QLineEdit>(*editor, "titre")->text(),
             QStringLiteral("Du vin à l'alcool : quel montage ?"));
    // The panel was left as it was: editing is no opening.
    QVERIFY(!m_main->exercise().isOpen());
}

QTEST_MAIN(ExerciseEditorTest)
#include "exerciseeditor_test.moc"
