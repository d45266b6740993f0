// The command bar, the hints, help and course, the introduction panel and the exercise tab,
// driven with real clicks, moves and keys.
#include "support/files.h"
#include "support/invitation.h"
#include "support/messagecatcher.h"
#include "windows/main/dessin_widget.h"
#include "windows/main/feuillep_window.h"
#include "windows/print/clipboardexport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QUrl>

using namespace alambix;

namespace {
const QString backgroundHint = QStringLiteral(
    "Vous pouvez modifier les paramètres,\r\nouvrir une configuration ou un exercice");

// The hint line shows its text whole: nothing of the text on the rows and columns just inside
// the border, where a text cut by the box would show.
bool hintShownWhole(QLabel* info) {
    const QImage image = info->grab().toImage();
    const QRgb paper = image.pixel(1, 1);
    const QRect inside = info->rect().adjusted(1, 1, -2, -2);
    for (int x = inside.left(); x <= inside.right(); ++x)
        if (image.pixel(x, inside.top()) != paper || image.pixel(x, inside.bottom()) != paper)
            return false;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        if (image.pixel(inside.left(), y) != paper || image.pixel(inside.right(), y) != paper)
            return false;
    return true;
}

// Stands in for the desktop's viewer: records what the program asked it to open.
class ViewerStandIn : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};
} // namespace

class CommandBarTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_window = std::make_unique<FeuilleP>(m_folder.path());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() {
        m_window->exercise().setTextemodifie(false);
        m_window->hide();
        m_window.reset();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    }

    void buttonsCarryCaptionsAndTooltips_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tooltip");
        QTest::newRow("Command3") << "Command3"
                                  << "&Nouveau"
                                  << "Nouveau montage";
        QTest::newRow("Command2") << "Command2"
                                  << "&Ouvrir"
                                  << "Retrouver un montage";
        QTest::newRow("Command11") << "Command11"
                                   << "&Enregistrer"
                                   << "Enregistrer le montage";
        QTest::newRow("Command4") << "Command4"
                                  << "Co&pier"
                                  << "Placer l'image dans le presse-papiers";
        QTest::newRow("Command10") << "Command10"
                                   << "&Imprimer"
                                   << "Imprimer l'image";
        QTest::newRow("Command8") << "Command8"
                                  << "&Calculatrice"
                                  << "Machine à calculer";
        QTest::newRow("Command9") << "Command9"
                                  << "&Voir le cours"
                                  << "Aide théorique";
        QTest::newRow("Command7") << "Command7"
                                  << "&Aide"
                                  << "Aide pour utiliser cette application";
        QTest::newRow("Command1") << "Command1"
                                  << "&Fermer"
                                  << "Quitter cette application";
    }

    void buttonsCarryCaptionsAndTooltips() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, tooltip);
        auto* button = button_(name);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), tooltip);
        QVERIFY(!button->icon().isNull());
    }

    void newSetUpSwitchesEachElementOff() {
        for (int i : {0, 3, 9})
            m_window->model().click(i);
        m_window->document().setPath(QStringLiteral("/tmp/essai.C03"));
        m_window->setWindowTitle(QStringLiteral("Alambix - /tmp/essai.C03"));
        QSignalSpy redraws(&m_window->document(), &SetupDocument::redrawn);
        QTest::mouseClick(button_(QStringLiteral("Command3")), Qt::LeftButton);
        QCOMPARE(redraws.count(), 3);
        QCOMPARE(m_window->model().values(), SetupValues{});
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Alambix"));
        QCOMPARE(m_window->document().path(), QString());
        QCOMPARE(m_window->findChild<QLabel*>(QStringLiteral("Label1"))->text(), QString());
        QVERIFY(invitationShown(m_window->dessin()->surface().image()));
    }

    void newSetUpOnEmptyOnlyResetsTheFile() {
        m_window->document().setPath(QStringLiteral("/tmp/essai.C03"));
        m_window->setWindowTitle(QStringLiteral("Alambix - /tmp/essai.C03"));
        QSignalSpy redraws(&m_window->document(), &SetupDocument::redrawn);
        // The access key clicks the button a moment later, as a click shown on screen.
        QTest::keyClick(m_window.get(), Qt::Key_N, Qt::AltModifier);
        QTRY_COMPARE(m_window->windowTitle(), QStringLiteral("Alambix"));
        QCOMPARE(redraws.count(), 0);
        QCOMPARE(m_window->document().path(), QString());
    }

    void hintsFollowTheMouse_data() {
        QTest::addColumn<QString>("area");
        QTest::addColumn<QString>("hint");
        QTest::newRow("element") << "Check1_5"
                                 << "Cliquer sur les boutons à gauche du schéma pour ajouter ou "
                                    "enlever un élément au montage";
        QTest::newRow("greyed element") << "Check1_11"
                                        << "Cliquer sur les boutons à gauche du schéma pour "
                                           "ajouter ou enlever un élément au montage";
        QTest::newRow("drawing") << "dessin"
                                 << "Pour modifier le montage, utiliser les boutons à gauche du "
                                    "schéma";
        QTest::newRow("exercise tab") << "BTEXO"
                                      << "Ouvrir un énoncé d'exercice, enregistrer le texte, "
                                         "obtenir la correction, imprimer ou fermer";
        QTest::newRow("new") << "Command3"
                             << "Effacer le montage actuel";
        QTest::newRow("open") << "Command2"
                              << "Retrouver un montage enregistré";
        QTest::newRow("save") << "Command11"
                              << "Enregistrer le montage actuel";
        QTest::newRow("copy") << "Command4"
                              << "Placer le dessin dans le presse-papiers puis coller depuis "
                                 "LibreOffice, GIMP...";
        QTest::newRow("print") << "Command10"
                               << "Configurer l'imprimante et imprimer l'image";
        QTest::newRow("calculator") << "Command8"
                                    << "Activer la machine à calculer";
        QTest::newRow("course") << "Command9"
                                << "Accéder directement à une partie du cours du manuel";
        QTest::newRow("help") << "Command7"
                              << "Si vous rencontrez une difficulté avec cette application";
        QTest::newRow("close") << "Command1"
                               << "Pour retrouver le module principal et quitter cette "
                                  "application";
        // These change nothing: the last hint stays.
        QTest::newRow("name label") << "Label1"
                                    << "previous";
        QTest::newRow("hint line") << "info"
                                   << "previous";
        QTest::newRow("path box") << "fich"
                                  << "previous";
        QTest::newRow("text panel") << "supertext"
                                    << "previous";
    }

    void hintsFollowTheMouse() {
        QFETCH(QString, area);
        QFETCH(QString, hint);
        m_window->setHint(QStringLiteral("previous"));
        auto* widget = m_window->findChild<QWidget*>(area);
        QVERIFY(widget);
        QTest::mouseMove(widget);
        QTest::mouseMove(widget, widget->rect().center() + QPoint(1, 1));
        QTRY_COMPARE(m_window->hint(), hint);
        QVERIFY(hintShownWhole(m_window->findChild<QLabel*>(QStringLiteral("info"))));
    }

    void bareBackgroundHint() {
        m_window->setHint(QStringLiteral("previous"));
        QTest::mouseMove(m_window.get(), QPoint(300, m_window->height() - 8));
        QTRY_COMPARE(m_window->hint(), backgroundHint);
    }

    void copyConfirmationStaysOnCopyButton() {
        auto* copy = button_(QStringLiteral("Command4"));
        QTest::mouseMove(copy, QPoint(5, 5));
        m_window->findChild<QAction*>(QStringLiteral("avecfond"))->trigger();
        QCOMPARE(m_window->hint(), messagecopie());
        QVERIFY(hintShownWhole(m_window->findChild<QLabel*>(QStringLiteral("info"))));
        QTest::mouseMove(copy, QPoint(10, 10));
        QTest::mouseMove(copy, QPoint(12, 12));
        QCOMPARE(m_window->hint(), messagecopie());
        QTest::mouseMove(m_window->dessin(), QPoint(20, 20));
        QTRY_COMPARE(
            m_window->hint(),
            QStringLiteral("Pour modifier le montage, utiliser les boutons à gauche du schéma"));
    }

    void copyButtonPopsUpTheCopyMenu() {
        auto* menu = m_window->findChild<QMenu*>(QStringLiteral("menucop"));
        QTest::mouseClick(button_(QStringLiteral("Command4")), Qt::LeftButton);
        QTRY_VERIFY(menu->isVisible());
        const auto actions = menu->actions();
        QCOMPARE(actions.size(), 4);
        QCOMPARE(actions.at(0)->text(), QStringLiteral("Copier le schéma avec le fond"));
        QCOMPARE(actions.at(1)->text(), QStringLiteral("Copier le schéma sans le fond"));
        QCOMPARE(actions.at(2)->text(), QStringLiteral("Copier le schéma légendé"));
        QCOMPARE(actions.at(3)->text(), QStringLiteral("Enregistrer l'image…"));
        menu->hide();
    }

    void buttonsOpenTheirWindows_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("window");
        QTest::newRow("open") << "Command2"
                              << "Ouvrir une configuration";
        QTest::newRow("save") << "Command11"
                              << "Enregistrer les paramètres.";
        QTest::newRow("print") << "Command10"
                               << "Imprimer";
        QTest::newRow("calculator") << "Command8"
                                    << "Machine à calculer";
    }

    void buttonsOpenTheirWindows() {
        QFETCH(QString, button);
        QFETCH(QString, window);
        QString seen;
        QTimer::singleShot(50, this, [&seen] {
            QWidget* modal = QApplication::activeModalWidget();
            seen = modal ? modal->windowTitle() : QStringLiteral("none");
            if (modal) modal->close();
        });
        QTest::mouseClick(button_(button), Qt::LeftButton);
        QTRY_COMPARE(seen, window);
    }

    void helpAndCourseNameMissingFiles_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("file");
        QTest::newRow("help") << "Command7"
                              << "Borix.hlp";
        QTest::newRow("course") << "Command9"
                                << "Voirlecours.chm";
    }

    void helpAndCourseNameMissingFiles() {
        QFETCH(QString, button);
        QFETCH(QString, file);
        QFile::remove(m_folder.filePath(file));
        MessageCatcher answerer;
        QTest::mouseClick(button_(button), Qt::LeftButton);
        QCOMPARE(answerer.messages().size(), std::size_t(1));
        QCOMPARE(answerer.messages().front().icon, QMessageBox::Critical);
        QVERIFY2(answerer.messages().front().text.contains(file),
                 qPrintable(answerer.messages().front().text));
    }

    void helpAndCourseOpenInTheViewer() {
        for (const char* name : {"Borix.hlp", "Voirlecours.chm"})
            QVERIFY(putFile(m_folder.filePath(QString::fromLatin1(name)), {}));
        // A desktop that has viewers for both files.
        QTemporaryDir desktop;
        QVERIFY(QDir(desktop.path()).mkpath(QStringLiteral("applications")));
        QVERIFY(putFile(desktop.filePath(QStringLiteral("applications/viewer.desktop")),
                        "[Desktop Entry]\nType=Application\nName=Viewer\nExec=true %f\n"
                        "MimeType=application/winhlp;application/vnd.ms-htmlhelp;\n"));
        const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", QFile::encodeName(desktop.path()));
        ViewerStandIn viewer;
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &viewer, "open");

        // F1 opens the help, before and after the course was seen.
        QTest::keyClick(m_window.get(), Qt::Key_F1);
        QTest::mouseClick(button_(QStringLiteral("Command7")), Qt::LeftButton);
        QTest::mouseClick(button_(QStringLiteral("Command9")), Qt::LeftButton);
        QTest::keyClick(m_window.get(), Qt::Key_F1);
        const QUrl help = QUrl::fromLocalFile(m_folder.filePath(QStringLiteral("Borix.hlp")));
        const QUrl course =
            QUrl::fromLocalFile(m_folder.filePath(QStringLiteral("Voirlecours.chm")));
        const QList<QUrl> expected{help, help, course, help};
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        qputenv("XDG_DATA_HOME", dataHome);
        if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty())
            QSKIP("xdg-mime is not installed: no desktop viewer can be found");
        QCOMPARE(viewer.opened, expected);
    }

    void introductionIsFormatted() {
        auto* panel = m_window->findChild<QTextEdit*>(QStringLiteral("supertext"));
        QVERIFY(panel->isReadOnly());
        QTextDocument* document = panel->document();
        const QTextBlock title = document->firstBlock();
        QCOMPARE(title.text(), QStringLiteral("Alambix"));
        QCOMPARE(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        const QTextCharFormat titleFormat = title.begin().fragment().charFormat();
        QCOMPARE(titleFormat.fontPointSize(), 18.0);
        QCOMPARE(titleFormat.foreground().color(), QColor(0, 0, 200));

        const QString text = document->toPlainText();
        QVERIFY(text.startsWith(QStringLiteral("Alambix\n\nCette application permet")));
        QVERIFY(text.endsWith(QStringLiteral("en cliquant sur l'onglet Exercices.")));

        auto formatAt = [document](const QString& words) {
            QTextCursor cursor = document->find(words);
            return cursor.charFormat();
        };
        for (const char* blue : {"ajouter ou enlever", "montage est correct",
                                 "Tous les paramètres sont modifiables", "Exercices."}) {
            const QTextCharFormat format =
                formatAt(QString::fromUtf8(blue).remove(QLatin1Char('.')));
            QCOMPARE(format.foreground().color(), QColor(0, 0, 200));
            QCOMPARE(format.fontPointSize(), 10.0);
        }
        const QTextCharFormat plain = formatAt(QStringLiteral("Cette application"));
        QCOMPARE(plain.foreground().color(), QColor(0, 0, 0));
        QCOMPARE(plain.fontPointSize(), 10.0);
        QVERIFY(
            document->findBlock(text.indexOf(QStringLiteral("Cette"))).blockFormat().leftMargin() >
            0);

        // The pupil cannot type into the introduction.
        panel->setFocus();
        QTest::keyClicks(panel, QStringLiteral("xyz"));
        QCOMPARE(document->toPlainText(), text);
    }

    void panelChangesMarkTheTextOnlyWithAnExercise() {
        auto* panel = m_window->findChild<QTextEdit*>(QStringLiteral("supertext"));
        auto* fich = m_window->findChild<QLineEdit*>(QStringLiteral("fich"));
        panel->setReadOnly(false);
        panel->moveCursor(QTextCursor::End);
        QTest::keyClicks(panel, QStringLiteral("a"));
        QVERIFY(!m_window->exercise().textemodifie());
        fich->setText(QStringLiteral("/home/eleve/exercices/exo1.E08"));
        QTest::keyClicks(panel, QStringLiteral("b"));
        QVERIFY(m_window->exercise().textemodifie());
    }

    void pathShowsRightOfTheTab_data() {
        QTest::addColumn<QString>("path");
        QTest::newRow("short") << "/x/exo.E08";
        QTest::newRow("long, its end in view")
            << QStringLiteral("/home/eleve/") + QString(200, QLatin1Char('d')) + "/fin.E08";
    }

    void pathShowsRightOfTheTab() {
        QFETCH(QString, path);
        auto* fich = m_window->findChild<QLineEdit*>(QStringLiteral("fich"));
        const QRect tab = m_window->findChild<QLabel*>(QStringLiteral("BTEXO"))->geometry();
        const QRect rest(QPoint(tab.right() + 1, fich->y()), fich->geometry().bottomRight());
        const QImage tabBefore = m_window->grab(tab).toImage();
        const QImage restBefore = m_window->grab(rest).toImage();
        fich->setText(path);
        QCOMPARE(fich->cursorPosition(), path.size());
        // Not a pixel of the path on the tab, its slanted edge included; all of it beside.
        QCOMPARE(m_window->grab(tab).toImage(), tabBefore);
        QVERIFY(m_window->grab(rest).toImage() != restBefore);
    }

    void exerciseTabPopsUpItsMenu() {
        auto* tab = m_window->findChild<QLabel*>(QStringLiteral("BTEXO"));
        auto* menu = m_window->findChild<QMenu*>(QStringLiteral("optionexo"));
        auto item = [menu](const char* name) {
            return menu->findChild<QAction*>(QString::fromLatin1(name));
        };
        QTest::mouseClick(tab, Qt::LeftButton, {}, QPoint(10, 10));
        QTRY_VERIFY(menu->isVisible());
        QCOMPARE(menu->pos(), m_window->mapToGlobal(QPoint(tab->x(), tab->y() + tab->height())));
        QVERIFY(item("openexo")->isEnabled());
        QVERIFY(!item("opencor")->isEnabled());
        QVERIFY(!item("Closexo")->isEnabled());
        QVERIFY(item("savetexte")->isEnabled());
        menu->hide();

        m_window->exercise().setExocorrige(true);
        m_window->findChild<QLineEdit*>(QStringLiteral("fich"))
            ->setText(QStringLiteral("/x/exo.E08"));
        QTest::mouseClick(tab, Qt::LeftButton, {}, QPoint(10, 10));
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(item("opencor")->isEnabled());
        QVERIFY(item("Closexo")->isEnabled());
        menu->hide();
        m_window->exercise().setExocorrige(false);
    }

    void menusPopUpFromTheKeyboard_data() {
        QTest::addColumn<QString>("focus"); // reached with Shift+Tab from the path box, or none
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("alt");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("under");
        QTest::newRow("Alt+P") << "" << int(Qt::Key_P) << true << "menucop"
                               << "Command4";
        QTest::newRow("Alt+X") << "" << int(Qt::Key_X) << true << "optionexo"
                               << "BTEXO";
        QTest::newRow("Enter on the tab") << "BTEXO" << int(Qt::Key_Return) << false << "optionexo"
                                          << "BTEXO";
        QTest::newRow("Space on the tab") << "BTEXO" << int(Qt::Key_Space) << false << "optionexo"
                                          << "BTEXO";
    }

    void menusPopUpFromTheKeyboard() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, alt);
        QFETCH(QString, menu);
        QFETCH(QString, under);
        // The mouse rests far from the buttons: the menu must not follow it.
        QCursor::setPos(m_window->dessin()->mapToGlobal(QPoint(150, 300)));
        if (!focus.isEmpty()) {
            auto* fich = m_window->findChild<QLineEdit*>(QStringLiteral("fich"));
            fich->setFocus();
            QTest::keyClick(fich, Qt::Key_Backtab);
            QCOMPARE(QApplication::focusWidget()->objectName(), focus);
        }
        auto* popup = m_window->findChild<QMenu*>(menu);
        QWidget* receiver =
            QApplication::focusWidget() ? QApplication::focusWidget() : m_window.get();
        QTest::keyClick(receiver, static_cast<Qt::Key>(key),
                        alt ? Qt::AltModifier : Qt::NoModifier);
        QTRY_VERIFY(popup->isVisible());
        auto* anchor = m_window->findChild<QWidget*>(under);
        QCOMPARE(popup->pos(), anchor->mapToGlobal(QPoint(0, anchor->height())));
        // Reached by keys, the exercise menu's first item is highlighted: Enter then runs it.
        if (menu == QLatin1String("optionexo"))
            QCOMPARE(popup->activeAction(), popup->actions().constFirst());
        popup->hide();
    }

private:
    QAbstractButton* button_(const QString& name) {
        return m_window->findChild<QAbstractButton*>(name);
    }

    QTemporaryDir m_folder;
    std::unique_ptr<FeuilleP> m_window;
};

QTEST_MAIN(CommandBarTest)
#include "commandbar_test.moc"
