// The exercise menu's text commands in the main window, driven through their real dialogs: the
// file dialogs get typed names, the message boxes and the printer dialog get answers.
#include "support/dialogs.h"
#include "support/files.h"
#include "support/messagecatcher.h"
#include "support/processes.h"
#include "support/rtfsamples.h"

#include "core/elements.h"
#include "core/setupmodel.h"
#include "session/exercisesession.h"
#include "windows/exercises/exercisemenu.h"
#include "windows/files/folderpicker.h"
#include "windows/main/feuillep_window.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace alambix;

namespace {
const QString checkDrive = QStringLiteral("Vérifier l'état du lecteur et le nom du fichier.");
} // namespace

class ExerciseTextTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_folder = std::make_unique<QTemporaryDir>();
        m_pack = std::make_unique<QTemporaryDir>();
        // The pupil's home, with a documents folder: the text dialogs start there.
        m_home = std::make_unique<QTemporaryDir>();
        qputenv("HOME", QFile::encodeName(m_home->path()));
        // Qt's file dialog writes its settings when the program ends, after the tests' folders
        // are gone: they go to a folder that lasts as long as the program.
        static QTemporaryDir config;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
        m_documents = m_home->filePath(QStringLiteral("Documents"));
        QVERIFY(QDir().mkpath(m_documents));
        // The set-up dialogs' last folder has nothing to do with the pupil's texts.
        FolderPicker::setLastFolder(m_folder->path());
        m_window = std::make_unique<FeuilleP>(m_folder->path());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_panel = m_window->findChild<QTextEdit*>(QStringLiteral("supertext"));
        m_menu = m_window->findChild<ExerciseMenu*>(QStringLiteral("optionexo"));
        QVERIFY(m_panel && m_menu);
    }
    void cleanup() { m_window.reset(); }

    void saves_data() {
        QTest::addColumn<QString>("typed");  // null: the dialog is cancelled
        QTest::addColumn<QByteArray>("old"); // null: no file of that name
        QTest::addColumn<int>("overwrite");
        QTest::addColumn<QString>("written"); // the file expected, null when none is written
        QTest::addColumn<bool>("modifiedAfter");
        const int ok = QMessageBox::Ok, cancel = QMessageBox::Cancel;
        QTest::newRow("typed without extension")
            << "copie" << QByteArray() << ok << "copie.RTF" << false;
        QTest::newRow("typed with an extension")
            << "copie.rtf" << QByteArray() << ok << "copie.rtf" << false;
        QTest::newRow("existing file, OK")
            << "ancien.RTF" << QByteArray("ancien") << ok << "ancien.RTF" << false;
        QTest::newRow("existing file, Cancel")
            << "ancien.RTF" << QByteArray("ancien") << cancel << QString() << true;
        QTest::newRow("dialog cancelled") << QString() << QByteArray() << ok << QString() << true;
    }

    void saves() {
        QFETCH(QString, typed);
        QFETCH(QByteArray, old);
        QFETCH(int, overwrite);
        QFETCH(QString, written);
        QFETCH(bool, modifiedAfter);
        statementOpen();
        if (!old.isNull()) QVERIFY(putFile(documentsFile(typed), old));
        MessageCatcher boxes(static_cast<QMessageBox::StandardButton>(overwrite));
        DialogAnswerer dialogs(typed);
        trigger("savetexte");

        QCOMPARE(dialogs.shown(), 1);
        // In the pupil's documents, not the pack's folder; .rtf listed in both cases.
        QCOMPARE(dialogs.startFolder(), m_documents);
        QCOMPARE(dialogs.filters(), QStringList{"Texte au format RTF (*.RTF *.rtf)"});
        QCOMPARE(boxes.messages().size(), old.isNull() ? 0u : 1u);
        if (!old.isNull()) {
            QCOMPARE(boxes.messages()[0].title, QStringLiteral("Ecraser le fichier?"));
            QCOMPARE(boxes.messages()[0].text,
                     "Le fichier " + typed + " existe déjà.\nEcraser l'ancien?");
            QCOMPARE(boxes.messages()[0].icon, QMessageBox::Question);
        }
        if (written.isNull()) {
            if (!old.isNull()) QCOMPARE(fileBytes(documentsFile(typed)), old);
        } else {
            QCOMPARE(rtfFileText(documentsFile(written)), m_panel->toPlainText());
        }
        QStringList expected;
        if (!old.isNull() || !written.isNull()) expected << (written.isNull() ? typed : written);
        QCOMPARE(QDir(m_documents).entryList(QDir::Files | QDir::Hidden), expected);
        QCOMPARE(m_window->exercise().textemodifie(), modifiedAfter);
    }

    // The text dialogs start in the last folder chosen in them while it is there, else in the
    // pupil's documents, else at home: never in the pack's folder, which lists the corrections.
    void dialogsStartInThePupilsFolders_data() {
        QTest::addColumn<bool>("documents"); // the pupil has a documents folder
        QTest::addColumn<int>("earlier");    // 0: none; 1: a save in a folder; 2: that folder gone
        QTest::addColumn<QString>("expected");
        QTest::newRow("documents") << true << 0 << "Documents";
        QTest::newRow("no documents folder") << false << 0 << "";
        QTest::newRow("the folder of the last save") << true << 1 << "Chimie";
        QTest::newRow("that folder removed since") << true << 2 << "Documents";
    }

    void dialogsStartInThePupilsFolders() {
        QFETCH(bool, documents);
        QFETCH(int, earlier);
        QFETCH(QString, expected);
        statementOpen();
        if (!documents) QVERIFY(QDir(m_documents).removeRecursively());
        const QString chosen = m_home->filePath(QStringLiteral("Chimie"));
        if (earlier > 0) {
            QVERIFY(QDir().mkpath(chosen));
            DialogAnswerer save(chosen + QStringLiteral("/tp.rtf"));
            trigger("savetexte");
            QVERIFY(QFile::exists(chosen + QStringLiteral("/tp.rtf")));
            if (earlier == 2) QVERIFY(QDir(chosen).removeRecursively());
        }
        MessageCatcher boxes(QMessageBox::Ok);
        DialogAnswerer dialogs{QString()};
        trigger("opentexte");
        QCOMPARE(dialogs.shown(), 1);
        QCOMPARE(dialogs.startFolder(), QDir(m_home->path()).filePath(expected));
    }

    void failedSaveKeepsTheOldFile() {
        // The file system takes no more than 64 bytes a file, as a full disk would (root too).
        statementOpen();
        const QString path = documentsFile(QStringLiteral("ancien.RTF"));
        const QByteArray old("{\\rtf1 ancien texte\\par}");
        QVERIFY(putFile(path, old));
        MessageCatcher boxes;
        DialogAnswerer dialogs(QStringLiteral("ancien.RTF"));
        {
            const FileSizeLimit limit(64);
            QVERIFY(limit.isSet());
            trigger("savetexte");
        }

        QCOMPARE(boxes.messages().size(), 2u); // overwrite? then the error
        QCOMPARE(boxes.messages()[1].title, QStringLiteral("Erreur d'écriture."));
        QCOMPARE(boxes.messages()[1].text, checkDrive);
        QCOMPARE(boxes.messages()[1].icon, QMessageBox::Critical);
        QCOMPARE(fileBytes(path), old);
        QCOMPARE(QDir(m_documents).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"ancien.RTF"});
        QVERIFY(m_window->exercise().textemodifie());
    }

    void opens_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("discard");        // the answer to the discard question
        QTest::addColumn<QByteArray>("content"); // null: the file dialog is cancelled
        QTest::addColumn<bool>("loaded");
        const int ok = QMessageBox::Ok, cancel = QMessageBox::Cancel;
        const QByteArray rtf("{\\rtf1\\ansi Texte retrouv\\'e9\\par}");
        QTest::newRow("RTF text") << false << ok << rtf << true;
        QTest::newRow("RTF text, edits given up") << true << ok << rtf << true;
        QTest::newRow("edits kept") << true << cancel << rtf << false;
        QTest::newRow("not an RTF file") << false << ok << QByteArray("pas du RTF") << false;
        QTest::newRow("empty file") << false << ok << QByteArray("") << false;
        QTest::newRow("dialog cancelled after OK") << true << ok << QByteArray() << false;
    }

    void opens() {
        QFETCH(bool, modified);
        QFETCH(int, discard);
        QFETCH(QByteArray, content);
        QFETCH(bool, loaded);
        // A correction is shown: read-only, with its exercise in `fich`.
        statementOpen();
        m_panel->setReadOnly(true);
        m_window->exercise().setTextemodifie(modified);
        const QString before = m_panel->toPlainText();
        const QString exercise = m_window->exercise().fich();
        const QString path = documentsFile(QStringLiteral("texte.rtf"));
        if (!content.isNull()) QVERIFY(putFile(path, content));
        MessageCatcher boxes(static_cast<QMessageBox::StandardButton>(discard));
        DialogAnswerer dialogs(content.isNull() ? QString() : QStringLiteral("texte.rtf"));
        trigger("opentexte");

        const bool dialogShown = !modified || discard == QMessageBox::Ok;
        QCOMPARE(dialogs.shown(), dialogShown ? 1 : 0);
        QStringList messages, expected;
        for (const auto& box : boxes.messages())
            messages << box.title + ": " + box.text;
        if (modified)
            expected << "Abandon des données?: Attention: perte des modifications du texte.";
        if (dialogShown && !content.isNull() && !loaded) {
            expected << "Erreur de lecture.: " + checkDrive;
            QCOMPARE(boxes.messages().back().icon, QMessageBox::Critical);
        }
        QCOMPARE(messages, expected);
        if (loaded) {
            QCOMPARE(m_panel->toPlainText(), QStringLiteral("Texte retrouvé"));
            QVERIFY(!m_panel->isReadOnly());
            QCOMPARE(m_window->exercise().fich(), "Texte: " + path);
            QVERIFY(!m_window->exercise().exocorrige());
        } else {
            QCOMPARE(m_panel->toPlainText(), before);
            QVERIFY(m_panel->isReadOnly());
            QCOMPARE(m_window->exercise().fich(), exercise);
            QVERIFY(m_window->exercise().exocorrige());
        }
        // Only Cancel on the discard question keeps the edits counted.
        QCOMPARE(m_window->exercise().textemodifie(), modified && discard == QMessageBox::Cancel);
        // The menu offers to close the text found again, not a correction.
        m_menu->popupFor(QPoint(0, 0));
        QCOMPARE(m_menu->findChild<QAction*>(QStringLiteral("opencor"))->isEnabled(), !loaded);
        QVERIFY(m_menu->findChild<QAction*>(QStringLiteral("Closexo"))->isEnabled());
        m_menu->hide();
    }

    void prints_data() {
        QTest::addColumn<bool>("select");
        QTest::addColumn<bool>("cancel");
        QTest::newRow("whole text") << false << false;
        QTest::newRow("selection") << true << false;
        QTest::newRow("dialog cancelled") << true << true;
    }

    void prints() {
        QFETCH(bool, select);
        QFETCH(bool, cancel);
        statementOpen();
        if (select) {
            QTextCursor cursor(m_panel->document());
            QVERIFY(cursor.movePosition(QTextCursor::End));
            cursor.movePosition(QTextCursor::StartOfWord, QTextCursor::KeepAnchor);
            m_panel->setTextCursor(cursor);
            QCOMPARE(cursor.selectedText(), QStringLiteral("OMEGA"));
        }
        const QString pdf = documentsFile(QStringLiteral("texte.pdf"));
        QPrinter& printer = m_menu->printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        DialogAnswerer dialogs(QString(), 0, cancel);
        trigger("imprimetexte");
        QCOMPARE(dialogs.shown(), 1);
        QCOMPARE(QFile::exists(pdf), !cancel);
        if (cancel) return;
        const Run text = run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY2(text.exitCode == 0, "pdftotext (poppler-utils) reads the printed file");
        const QString printed = text.out;
        QVERIFY(printed.contains(QStringLiteral("OMEGA")));
        QCOMPARE(printed.contains(QStringLiteral("ALPHA")), !select);
    }

    void closes_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("discard");
        QTest::addColumn<bool>("closed");
        QTest::newRow("no edits") << false << int(QMessageBox::Cancel) << true;
        QTest::newRow("edits, OK") << true << int(QMessageBox::Ok) << true;
        QTest::newRow("edits, Cancel") << true << int(QMessageBox::Cancel) << false;
    }

    void closes() {
        QFETCH(bool, modified);
        QFETCH(int, discard);
        QFETCH(bool, closed);
        statementOpen();
        m_window->exercise().setTextemodifie(modified);
        m_window->model().click(Ballon);
        m_window->setWindowTitle(QStringLiteral("Alambix - distillation.C03"));
        const QString caption = m_window->windowTitle();
        const QString statement = m_panel->toPlainText();
        MessageCatcher boxes(static_cast<QMessageBox::StandardButton>(discard));
        trigger("Closexo");

        QCOMPARE(boxes.messages().size(), modified ? 1u : 0u);
        QCOMPARE(m_window->findChild<QLineEdit*>(QStringLiteral("fich"))->text().isEmpty(), closed);
        QCOMPARE(m_panel->isReadOnly(), closed);
        QCOMPARE(m_panel->toPlainText() == statement, !closed);
        QCOMPARE(m_window->exercise().exocorrige(), !closed);
        QCOMPARE(m_window->exercise().textemodifie(), modified && !closed);
        // The set-up and the caption stay.
        QVERIFY(m_window->model().value(Ballon));
        QCOMPARE(m_window->windowTitle(), caption);
        if (closed) {
            // The introduction is back: the same text as at start-up.
            FeuilleP fresh(m_folder->path());
            QCOMPARE(m_panel->toPlainText(),
                     fresh.findChild<QTextEdit*>(QStringLiteral("supertext"))->toPlainText());
            // No exercise open: the file dialogs still start in the pupil's documents.
            DialogAnswerer dialogs{QString()};
            trigger("savetexte");
            QCOMPARE(dialogs.startFolder(), m_documents);
        }
    }

private:
    // A corrected exercise statement open, with the pupil's text typed in.
    void statementOpen() {
        ExerciseSession& session = m_window->exercise();
        session.setRepexo(m_pack->path());
        session.setFich(m_pack->filePath(QStringLiteral("exo1.txt")));
        session.setExocorrige(true);
        m_panel->setReadOnly(false);
        m_panel->clear();
        m_panel->setFocus();
        QTest::keyClicks(m_panel, QStringLiteral("Premier ALPHA"));
        QTest::keyClick(m_panel, Qt::Key_Return);
        QTest::keyClicks(m_panel, QStringLiteral("Second OMEGA"));
        QVERIFY(session.textemodifie());
    }

    void trigger(const char* item) {
        QAction* action = m_menu->findChild<QAction*>(QString::fromLatin1(item));
        QVERIFY(action);
        action->trigger();
    }

    QString documentsFile(const QString& name) const { return QDir(m_documents).filePath(name); }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<QTemporaryDir> m_pack;
    std::unique_ptr<QTemporaryDir> m_home;
    QString m_documents;
    std::unique_ptr<FeuilleP> m_window;
    QTextEdit* m_panel = nullptr;
    ExerciseMenu* m_menu = nullptr;
};

QTEST_MAIN(ExerciseTextTest)
#include "exercisetext_test.moc"
