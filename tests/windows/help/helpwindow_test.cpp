// Our own help and course, where the desktop has no viewer for the teaching package's files.
#include "windows/calculator/machine_window.h"
#include "windows/help/helpwindow.h"
#include "windows/main/feuillep_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>

using namespace alambix;

namespace {
HelpWindow* openHelpWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<HelpWindow*>(widget); help && help->isVisible()) return help;
    return nullptr;
}

// The titles of the help windows on the screen, in order.
QStringList helpWindows() {
    QStringList titles;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* help = qobject_cast<HelpWindow*>(widget); help && help->isVisible())
            titles << help->windowTitle();
    titles.sort();
    return titles;
}
} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        // A program folder holding our help and course, and the package's help file for which
        // this desktop has no viewer.
        m_folder = std::make_unique<QTemporaryDir>();
        const QDir built(QStringLiteral(ALAMBIX_BUILD_DIR));
        for (const char* file : {"aide/aide.md", "cours/cours.md", "cours/images/reflux.png"}) {
            QVERIFY(QDir(m_folder->path()).mkpath(QFileInfo(file).path()));
            QVERIFY(QFile::copy(built.filePath(file), m_folder->filePath(file)));
        }
        QFile(m_folder->filePath(QStringLiteral("Borix.hlp"))).open(QIODevice::WriteOnly);
        qputenv("XDG_DATA_HOME", QFile::encodeName(m_folder->path()));
        m_window = std::make_unique<FeuilleP>(m_folder->path());
        m_window->show();
    }
    void cleanup() {
        while (HelpWindow* help = openHelpWindow())
            help->close();
        m_window.reset();
    }

    void helpOpensWithItsContents() {
        QTest::mouseClick(m_window->findChild<QToolButton*>(QStringLiteral("Command7")),
                          Qt::LeftButton);
        HelpWindow* help = openHelpWindow();
        QVERIFY(help);
        auto* contents = help->findChild<QListWidget*>(QStringLiteral("sommaire"));
        QCOMPARE(contents->count(), 13);
        QCOMPARE(contents->item(3)->text(), QStringLiteral("Enregistrer un montage"));
        QCOMPARE(contents->item(9)->text(), QStringLiteral("Créer un exercice"));
        // Whole on the screen, here 800 x 600, with room for its frame.
        const QRect screen = help->screen()->availableGeometry();
        QVERIFY(screen.contains(help->geometry().adjusted(-20, -40, 20, 20)));

        // A contents entry brings its heading to the top of the text.
        auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("texte"));
        QTest::mouseClick(contents->viewport(), Qt::LeftButton, {},
                          contents->visualItemRect(contents->item(3)).center());
        QVERIFY(browser->verticalScrollBar()->value() > 0);
        QVERIFY(browser->cursorRect().top() < 20);
        QCOMPARE(browser->textCursor().block().text(), QStringLiteral("Enregistrer un montage"));
    }

    void searchFindsAndSaysWhenNot() {
        QTest::mouseClick(m_window->findChild<QToolButton*>(QStringLiteral("Command7")),
                          Qt::LeftButton);
        HelpWindow* help = openHelpWindow();
        QVERIFY(help);
        auto* search = help->findChild<QLineEdit*>(QStringLiteral("recherche"));
        auto* browser = help->findChild<QTextBrowser*>(QStringLiteral("texte"));
        QTest::keyClicks(search, QStringLiteral("lecteur"));
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(browser->textCursor().selectedText(), QStringLiteral("lecteur"));
        const int first = browser->textCursor().position();
        QTest::keyClick(search, Qt::Key_Return);
        QVERIFY(browser->textCursor().position() != first);
        search->clear();
        QTest::keyClicks(search, QStringLiteral("xylophone"));
        QTest::keyClick(search, Qt::Key_Return);
        QCOMPARE(help->findChild<QLabel*>(QStringLiteral("introuvable"))->text(),
                 QStringLiteral("Introuvable"));
    }

    void courseShowsItsDrawings() {
        QTest::mouseClick(m_window->findChild<QToolButton*>(QStringLiteral("Command9")),
                          Qt::LeftButton);
        HelpWindow* course = openHelpWindow();
        QVERIFY(course);
        auto* contents = course->findChild<QListWidget*>(QStringLiteral("sommaire"));
        QCOMPARE(contents->item(1)->text(), QStringLiteral("Distillation"));
        // Every drawing of the course is there.
        auto* browser = course->findChild<QTextBrowser*>(QStringLiteral("texte"));
        QCOMPARE(browser->toHtml().count(QStringLiteral("<img")), 7);
    }

    // F1 opens the help, never the course, from whatever window has the keyboard; a second F1
    // brings the same window back.
    void f1OpensTheHelpFromEveryWindow() {
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
        QTest::keyClick(m_window->findChild<QWidget*>(QStringLiteral("Check1_3")), Qt::Key_F1);
        QCOMPARE(helpWindows(), QStringList{"Aide d'Alambix"});
        QTest::keyClick(openHelpWindow(), Qt::Key_F1);
        QCOMPARE(helpWindows(), QStringList{"Aide d'Alambix"});
        openHelpWindow()->close();

        QTest::mouseClick(m_window->findChild<QToolButton*>(QStringLiteral("Command9")),
                          Qt::LeftButton);
        QTest::keyClick(openHelpWindow(), Qt::Key_F1);
        QCOMPARE(helpWindows(), (QStringList{"Aide d'Alambix", "Cours : les montages de chimie"}));
    }

    // Over a modal window, such as the calculator, the help is usable while it stays open, and
    // stays once it is closed.
    void helpOverAModalWindow() {
        Machine machine(m_window.get());
        machine.setWindowModality(Qt::ApplicationModal);
        machine.show();
        QVERIFY(QTest::qWaitForWindowActive(&machine));
        QTest::keyClick(machine.findChild<QPlainTextEdit*>(QStringLiteral("z1")), Qt::Key_F1);
        HelpWindow* help = openHelpWindow();
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        // A click through the window system reaches it: no modal window blocks it.
        auto* search = help->findChild<QLineEdit*>(QStringLiteral("recherche"));
        QTest::mouseClick(help->windowHandle(), Qt::LeftButton, {},
                          search->mapTo(help, search->rect().center()));
        QTRY_COMPARE(help->focusWidget(), search);
        machine.done(QDialog::Accepted);
        QCOMPARE(openHelpWindow(), help);
        QCOMPARE(help->parentWidget(), m_window.get());
    }

    void closedByItsButtonOrEscape_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Fermer") << false;
        QTest::newRow("Escape") << true;
    }

    void closedByItsButtonOrEscape() {
        QFETCH(bool, escape);
        QTest::mouseClick(m_window->findChild<QToolButton*>(QStringLiteral("Command7")),
                          Qt::LeftButton);
        HelpWindow* help = openHelpWindow();
        QVERIFY(help);
        QVERIFY(QTest::qWaitForWindowActive(help));
        // Escape from the search field too.
        if (escape)
            QTest::keyClick(help->findChild<QLineEdit*>(QStringLiteral("recherche")),
                            Qt::Key_Escape);
        else
            QTest::mouseClick(help->findChild<QPushButton*>(QStringLiteral("fermer")),
                              Qt::LeftButton);
        QTRY_VERIFY(!openHelpWindow());
    }

    void anchorsNameHeadings_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("anchor");
        QTest::newRow("accents kept") << "Chauffage à reflux"
                                      << "chauffage-à-reflux";
        QTest::newRow("apostrophe dropped") << "La circulation de l'eau dans un réfrigérant"
                                            << "la-circulation-de-leau-dans-un-réfrigérant";
        QTest::newRow("question mark") << "Que manque-t-il ?"
                                       << "que-manque-t-il-";
    }
    void anchorsNameHeadings() {
        QFETCH(QString, title);
        QTEST(headingAnchor(title), "anchor");
    }

private:
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<FeuilleP> m_window;
};

QTEST_MAIN(HelpWindowTest)
#include "helpwindow_test.moc"
