// "Vérifier mon montage" in the main window, by real clicks and keys: the button beside the
// set-up's name, the menu item and its key, the ladder of hints in its box, the correction it
// offers, and an exercise it cannot check.
#include "support/dialogs.h"
#include "support/files.h"
#include "support/messagecatcher.h"
#include "windows/exercises/exercisemenu.h"
#include "windows/main/dessin_widget.h"
#include "windows/main/elementbutton.h"
#include "windows/main/feuillep_window.h"

#include <QAction>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>

#include <memory>

using namespace alambix;

namespace {
const QString notYet = QStringLiteral("Ce n'est pas encore le bon montage");
}

class VerificationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void buttonStandsBesideTheNameWhileItCanCheck();
    void hintsClimbTheLadderUntilTheSetupIsRight();
    void keyChecksAndTheTopOffersTheCorrection();
    void correctionSetupThatCannotBeRead();

private:
    QString pack() const { return m_program.filePath(QStringLiteral("exercices/")); }
    void open(const QString& file) {
        m_main->openExerciseFile(file);
        QCOMPARE(m_main->exercise().fich(), file);
    }
    void clickElement(int index) {
        QTest::mouseClick(m_main->findChild<ElementButton*>(QStringLiteral("Check1_%1").arg(index)),
                          Qt::LeftButton);
    }
    QToolButton* button() { return m_main->findChild<QToolButton*>(QStringLiteral("verifier")); }
    QAction* item() {
        return child<ExerciseMenu>(*m_main, "optionexo")
            ->findChild<QAction*>(QStringLiteral("verifmontage"));
    }
    QFrame* box() { return m_main->findChild<QFrame*>(QStringLiteral("verification")); }
    QString boxText() { return child<QLabel>(*box(), "verificationtexte")->text(); }
    QString boxTitle() { return child<QLabel>(*box(), "verificationnumero")->text(); }

    QTemporaryDir m_program;
    std::unique_ptr<FeuilleP> m_main;
};

void VerificationTest::initTestCase() {
    QVERIFY(m_program.isValid());
    QVERIFY(QDir(m_program.path()).mkdir(QStringLiteral("exercices")));
    const QDir source(QStringLiteral(ALAMBIX_PACK_DIR));
    for (const QString& name : source.entryList(QDir::Files))
        QVERIFY(QFile::copy(source.filePath(name), pack() + name));
}

void VerificationTest::init() {
    m_main = std::make_unique<FeuilleP>(m_program.path());
    m_main->show();
    QVERIFY(QTest::qWaitForWindowActive(m_main.get()));
}

void VerificationTest::cleanup() {
    m_main.reset();
}

void VerificationTest::buttonStandsBesideTheNameWhileItCanCheck() {
    QLabel* name = child<QLabel>(*m_main, "Label1");
    const QRect fullName = name->geometry();
    // Nothing to check at start: the button is not even made.
    QVERIFY(!button());
    QVERIFY(!item()->isEnabled());

    open(pack() + "distillation.E08");
    QVERIFY(button() && button()->isVisible());
    QVERIFY(item()->isEnabled());
    QCOMPARE(item()->shortcut(), QKeySequence(Qt::Key_F7));
    QCOMPARE(button()->geometry().right(), fullName.right());
    QCOMPARE(button()->geometry().top(), fullName.top());
    QCOMPARE(button()->height(), fullName.height());
    QVERIFY(name->geometry().right() < button()->geometry().left());
    QCOMPARE(name->x(), fullName.x());

    // The longest name still shows whole in the narrowed box.
    open(pack() + "ccm.E08");
    clickElement(12);
    clickElement(13);
    QCOMPARE(name->text(), QStringLiteral("Chromatographie sur couche mince"));
    QVERIFY(QFontMetrics(name->font()).horizontalAdvance(name->text()) < name->width());

    // An exercise without a correction set-up cannot be checked.
    open(pack() + "vin.E08");
    QVERIFY(button()->isHidden());
    QVERIFY(!item()->isEnabled());
    QCOMPARE(name->geometry(), fullName);
    QTest::keyClick(m_main.get(), Qt::Key_F7);
    QVERIFY(!box());
}

void VerificationTest::hintsClimbTheLadderUntilTheSetupIsRight() {
    open(pack() + "distillation.E08");
    // The pupil collects in a stemmed glass under a bulb condenser: reflux, not distillation.
    clickElement(0);
    clickElement(8);
    const QStringList rungs{
        notYet + " : 6 pièces sont à revoir.",
        notYet + ". À revoir : le récipient qui recueille le produit, la pièce montée au-dessus "
                 "du récipient ou du ballon, la colonne de fractionnement et la mesure de la "
                 "température des vapeurs.",
        notYet + ". Il manque : l'Erlenmeyer, le Réfrigérant droit, la Colonne de Vigreux et le "
                 "Thermomètre. En trop : le Verre à pied et le Réfrigérant à boules."};
    for (int n = 1; n <= 3; ++n) {
        QTest::mouseClick(button(), Qt::LeftButton);
        QVERIFY(box() && box()->isVisible());
        QCOMPARE(boxTitle(), QStringLiteral("Vérification n° %1").arg(n));
        QCOMPARE(boxText(), rungs.at(n - 1));
        QVERIFY(child<QPushButton>(*box(), "verificationcorrection")->isHidden());
    }
    // The box leaves the drawing in sight and stands in the text panel's foot.
    QVERIFY(!box()->geometry().intersects(m_main->dessin()->geometry()));
    const QRect panel = child<QTextEdit>(*m_main, "supertext")->geometry();
    QVERIFY(panel.contains(box()->geometry()));
    QCOMPARE(box()->geometry().bottom(), panel.bottom());

    // Mended by the pieces the last hint named.
    for (int k : {0, 8, 2, 9, 10, 11})
        clickElement(k);
    QTest::mouseClick(button(), Qt::LeftButton);
    QCOMPARE(boxTitle(), QStringLiteral("Vérification n° 4"));
    QCOMPARE(boxText(), QStringLiteral("Bravo ! C'est le bon montage : une distillation."));
    QCOMPARE(child<QLabel>(*m_main, "Label1")->text(), QStringLiteral("Distillation"));

    // The box closes; the count starts again with the next exercise.
    QTest::mouseClick(child<QToolButton>(*box(), "fermerverification"), Qt::LeftButton);
    QVERIFY(box()->isHidden());
    open(pack() + "reflux.E08");
    QTest::mouseClick(button(), Qt::LeftButton);
    QCOMPARE(boxTitle(), QStringLiteral("Vérification n° 1"));
}

void VerificationTest::keyChecksAndTheTopOffersTheCorrection() {
    open(pack() + "filtrationvide.E08");
    for (int n = 1; n <= 4; ++n)
        QTest::keyClick(m_main.get(), Qt::Key_F7);
    QCOMPARE(boxTitle(), QStringLiteral("Vérification n° 4"));
    QCOMPARE(boxText(), notYet + ". Il manque : le Büchner. Vous pouvez maintenant voir la "
                                 "correction.");
    auto* correction = child<QPushButton>(*box(), "verificationcorrection");
    QVERIFY(correction->isVisible());
    QTest::mouseClick(correction, Qt::LeftButton);
    // The correction is in: its set-up is shown, and nothing is left to check.
    QVERIFY(child<QTextEdit>(*m_main, "supertext")->isReadOnly());
    QCOMPARE(m_main->windowTitle(), "Alambix - " + pack() + "filtrationvide-corrige.C03");
    QVERIFY(box()->isHidden());
    QVERIFY(button()->isHidden());
    QVERIFY(!item()->isEnabled());
}

void VerificationTest::correctionSetupThatCannotBeRead() {
    QTemporaryDir copy;
    QVERIFY(copy.isValid());
    for (const char* name : {"distillation.E08", "distillation.rtf", "distillation.C03"})
        QVERIFY(QFile::copy(pack() + name, copy.filePath(QString::fromLatin1(name))));
    QVERIFY(putFile(copy.filePath(QStringLiteral("distillation-corrige.C03")), "abîmé"));
    open(copy.filePath(QStringLiteral("distillation.E08")));
    MessageCatcher catcher;
    QTest::mouseClick(button(), Qt::LeftButton);
    QCOMPARE(catcher.messages().size(), std::size_t(1));
    const ShownMessage& shown = catcher.messages().front();
    QCOMPARE(shown.title, QStringLiteral("Vérifier mon montage"));
    QCOMPARE(shown.text, "Le montage corrigé de cet exercice ne peut pas être lu :\n" +
                             copy.filePath(QStringLiteral("distillation-corrige.C03")) +
                             "\nLecture impossible sur disque.");
    QCOMPARE(shown.icon, QMessageBox::Critical);
    QVERIFY(!box());
}

QTEST_MAIN(VerificationTest)
#include "verification_test.moc"
