// The desktop program's command line: which argument is what, the set-up loaded at start, and
// the program's answers to --help, --version and a wrong option.
#include "app/startarguments.h"
#include "core/filemessages.h"
#include "support/files.h"
#include "support/messagecatcher.h"
#include "support/processes.h"
#include "windows/main/feuillep_window.h"

#include <QTemporaryDir>
#include <QTest>

using namespace alambix;
using Action = StartArguments::Action;

class StartArgumentsTest : public QObject {
    Q_OBJECT
private slots:
    void parses_data();
    void parses();
    void loadsTheSetupAtStart_data();
    void loadsTheSetupAtStart();
    void programAnswers_data();
    void programAnswers();
};

void StartArgumentsTest::parses_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("exercise");
    QTest::addColumn<QString>("error");
    QTest::newRow("none") << QStringList{} << Action::Run << ""
                          << ""
                          << "";
    QTest::newRow("set-up") << QStringList{"a/DISTIL.C03"} << Action::Run << "a/DISTIL.C03"
                            << ""
                            << "";
    // A renamed set-up goes to the loader, which knows a set-up by its content.
    QTest::newRow("other suffix") << QStringList{"montage.txt"} << Action::Run << "montage.txt"
                                  << ""
                                  << "";
    QTest::newRow("exercise, any case")
        << QStringList{"x/exo1.e08", "m.c03"} << Action::Run << "m.c03"
        << "x/exo1.e08"
        << "";
    QTest::newRow("file URL") << QStringList{"file:///tmp/l%C3%A0/M.C03"} << Action::Run
                              << "/tmp/là/M.C03"
                              << ""
                              << "";
    QTest::newRow("after --") << QStringList{"--", "--help"} << Action::Run << "--help"
                              << ""
                              << "";
    QTest::newRow("help wins") << QStringList{"m.C03", "-h"} << Action::Help << ""
                               << ""
                               << "";
    QTest::newRow("version") << QStringList{"--version"} << Action::Version << ""
                             << ""
                             << "";
    QTest::newRow("unknown option") << QStringList{"m.C03", "--vite"} << Action::UsageError << ""
                                    << ""
                                    << "option inconnue : --vite";
    QTest::newRow("two set-ups") << QStringList{"a.C03", "b.C03"} << Action::UsageError << ""
                                 << ""
                                 << "un seul montage à la fois : b.C03";
    QTest::newRow("two exercises") << QStringList{"a.E08", "b.E08"} << Action::UsageError << ""
                                   << ""
                                   << "un seul exercice à la fois : b.E08";
    QTest::newRow("remote URL") << QStringList{"file://serveur/m.C03"} << Action::UsageError << ""
                                << ""
                                << "adresse non locale : file://serveur/m.C03";
    QTest::newRow("empty") << QStringList{""} << Action::UsageError << ""
                           << ""
                           << "nom de fichier vide";
}

void StartArgumentsTest::parses() {
    QFETCH(QStringList, arguments);
    QFETCH(Action, action);
    const StartArguments start = parseStartArguments(arguments);
    QCOMPARE(start.action, action);
    if (action == Action::UsageError) QTEST(start.error, "error");
    if (action != Action::Run) return;
    QTEST(start.setupFile, "setup");
    QTEST(start.exerciseFile, "exercise");
}

void StartArgumentsTest::loadsTheSetupAtStart_data() {
    QTest::addColumn<QByteArray>("content"); // "<none>": no file at all
    QTest::addColumn<QString>("elements");
    QTest::addColumn<QString>("message");
    QTest::newRow("set-up") << setupBytes("00010000011100") << "00010000011100"
                            << "";
    QTest::newRow("missing") << QByteArray("<none>") << "00000000000000"
                             << "impossible d'ouvrir ce fichier";
    QTest::newRow("not a set-up") << record("AlambixSchema") + record("11111111111111")
                                  << "00000000000000"
                                  << fileMessage(FileOutcome::NotASetupFile).title;
}

void StartArgumentsTest::loadsTheSetupAtStart() {
    QFETCH(QByteArray, content);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("MONTAGE.C03"));
    if (content != "<none>") QVERIFY(putFile(path, content));
    FeuilleP main(dir.path());
    main.show();
    MessageCatcher catcher;
    main.openSetupFile(path);
    QTEST(setupText(main.model().values()), "elements");
    if (message.isEmpty()) {
        QVERIFY(catcher.messages().empty());
        QCOMPARE(main.document().path(), path);
        QCOMPARE(main.windowTitle(), QStringLiteral("Alambix - ") + path);
    } else {
        QCOMPARE(catcher.messages().size(), size_t(1));
        QCOMPARE(catcher.messages().front().title, message);
        // The window goes on, empty, with no file to save over.
        QVERIFY(main.isVisible());
        QCOMPARE(main.document().path(), QString());
        QCOMPARE(main.windowTitle(), QStringLiteral("Alambix"));
    }
}

void StartArgumentsTest::programAnswers_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage : alambix [MONTAGE.C03]"
                          << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "Alambix "
                             << "";
    QTest::newRow("unknown option") << QStringList{"--vite"} << 2 << ""
                                    << "alambix : option inconnue : --vite\n\nUsage : alambix";
}

void StartArgumentsTest::programAnswers() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Run program =
        run(qEnvironmentVariable("ALAMBIX_GUI"), arguments, RLIM_INFINITY, {},
            // Help and version need no screen; a wrong option is found once Qt took its own.
            {err.isEmpty() ? "QT_QPA_PLATFORM=no-such-platform" : "QT_QPA_PLATFORM=offscreen",
             // The font configuration loads on a second thread: held back here, so that a program
             // that leaves early must still wait for it before its application (and Qt's fonts) go.
             "LD_PRELOAD=" + qEnvironmentVariable("ALAMBIX_FONTCONFIG_GUARD"),
             "ASAN_OPTIONS=" + qEnvironmentVariable("ASAN_OPTIONS") + ":verify_asan_link_order=0"});
    QTEST(program.exitCode, "exitCode");
    QVERIFY2(out.isEmpty() ? program.out.isEmpty() : program.out.startsWith(out),
             qPrintable(program.out));
    QVERIFY2(err.isEmpty() ? program.err.isEmpty() : program.err.startsWith(err),
             qPrintable(program.err));
}

QTEST_MAIN(StartArgumentsTest)
#include "startarguments_test.moc"
