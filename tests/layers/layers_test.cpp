// The folders are the layers: a file includes only from its own folder and the folders below it,
// and a layer uses only the Qt modules its library links. This reads every source file's
// includes and names each one against that order; it is also run on planted includes, to show
// that it catches them.
#include "support/files.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Layer {
    QString folder;
    QStringList mayInclude; // project folders, its own included
    QStringList qtModules;  // the Qt modules whose headers it may include
};

const QStringList guiModules{"QtCore", "QtGui", "QtSvg"};
const QStringList allModules{"QtCore", "QtGui", "QtSvg", "QtWidgets", "QtPrintSupport"};
const QStringList belowWindows{"core", "assets", "richtext", "drawing", "session"};

QStringList with(QStringList list, const QStringList& more) {
    list += more;
    return list;
}

// Lowest first. Inside windows/, the families share common/ and the set-up loader and pickers
// of files/; the main window shows them all.
const QList<Layer>& layers() {
    static const QList<Layer> table{
        {"core", {"core"}, {"QtCore"}},
        {"assets", {"assets"}, guiModules},
        {"richtext", {"core", "richtext"}, guiModules},
        {"drawing", {"core", "assets", "drawing"}, guiModules},
        {"session", belowWindows, guiModules},
        {"windows/common", with(belowWindows, {"windows/common"}), allModules},
        {"windows/files", with(belowWindows, {"windows/common", "windows/files"}), allModules},
        {"windows/print", with(belowWindows, {"windows/common", "windows/files", "windows/print"}),
         allModules},
        {"windows/calculator",
         with(belowWindows, {"windows/common", "windows/files", "windows/calculator"}), allModules},
        {"windows/exercises",
         with(belowWindows,
              {"windows/common", "windows/files", "windows/authoring", "windows/exercises"}),
         allModules},
        {"windows/authoring",
         with(belowWindows,
              {"windows/common", "windows/files", "windows/text", "windows/authoring"}),
         allModules},
        {"windows/help", with(belowWindows, {"windows/common", "windows/files", "windows/help"}),
         allModules},
        {"windows/text", with(belowWindows, {"windows/common", "windows/text"}), allModules},
        {"windows/main", with(belowWindows, {"windows"}), allModules},
        {"app", with(belowWindows, {"windows", "app"}), allModules},
        {"cli", with(belowWindows, {"cli"}), guiModules},
        // build-time tools: the pack maker and the icon renderer
        {"data", belowWindows, guiModules},
        {"packaging", {"assets"}, guiModules},
    };
    return table;
}

const QStringList projectFolders{"core",    "assets", "richtext", "drawing", "session",
                                 "windows", "app",    "cli",      "data",    "packaging"};
// Folders of the tree that are no layer: they may use any layer.
const QStringList besideTheLayers{"tests", "bench", "fuzz", "tools", "docs", "build"};

const Layer* layerOf(const QString& folder) {
    const Layer* found = nullptr;
    for (const Layer& layer : layers()) {
        if ((folder == layer.folder || folder.startsWith(layer.folder + '/')) &&
            (!found || layer.folder.size() > found->folder.size()))
            found = &layer;
    }
    return found;
}

bool allowed(const Layer& layer, const QString& includedFolder) {
    for (const QString& folder : layer.mayInclude) {
        if (includedFolder == folder || includedFolder.startsWith(folder + '/')) return true;
    }
    return false;
}

// The Qt module that holds a header such as <QImage> or <QtGui/QImage>; empty when none does.
QString qtModuleOf(const QString& header) {
    static const QString headers = QLibraryInfo::path(QLibraryInfo::HeadersPath);
    if (header.startsWith("Qt") && header.contains('/')) return header.section('/', 0, 0);
    for (const QString& module : allModules) {
        if (QFileInfo::exists(headers + '/' + module + '/' + header)) return module;
    }
    return {};
}

// Every include against the order under `root`, as "file:line: what".
QStringList includesAgainstTheOrder(const QString& root) {
    static const QRegularExpression include(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    QStringList faults;
    const QDir rootDir(root);
    const QStringList folders = rootDir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& top : folders) {
        if (besideTheLayers.contains(top) || top.startsWith("build")) continue;
        QDirIterator files(rootDir.filePath(top), {"*.h", "*.cpp"}, QDir::Files,
                           QDirIterator::Subdirectories);
        while (files.hasNext()) {
            const QString path = files.next();
            const QString relative = rootDir.relativeFilePath(path);
            const QString folder = QFileInfo(relative).path();
            const Layer* layer = layerOf(folder);
            if (!layer) {
                faults << relative + ": the folder " + folder + " is in no layer";
                continue;
            }
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly)) {
                faults << relative + ": cannot be read";
                continue;
            }
            int lineNumber = 0;
            while (!file.atEnd()) {
                const QString line = QString::fromUtf8(file.readLine());
                ++lineNumber;
                const auto match = include.match(line);
                if (!match.hasMatch()) continue;
                const QString header = match.captured(2);
                const QString where = relative + ':' + QString::number(lineNumber) + ": ";
                const QString headerFolder = header.section('/', 0, -2);
                if (match.captured(1) == "\"" &&
                    projectFolders.contains(header.section('/', 0, 0))) {
                    if (!allowed(*layer, headerFolder))
                        faults << where + layer->folder + " includes " + header;
                } else if (match.captured(1) == "\"" && header.contains("..")) {
                    faults << where + "includes " + header + " by a relative path";
                } else if (match.captured(1) == "<" && header.startsWith('Q')) {
                    const QString module = qtModuleOf(header);
                    if (!module.isEmpty() && !layer->qtModules.contains(module))
                        faults << where + layer->folder + " includes " + header + " of " + module;
                }
            }
        }
    }
    return faults;
}

// Every file under `root` whose name matches one of `patterns`, relative to `root`, outside the
// build folders.
QStringList treeFiles(const QString& root, const QStringList& patterns) {
    QStringList files;
    const QDir rootDir(root);
    QDirIterator it(root, patterns, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = rootDir.relativeFilePath(it.next());
        if (!relative.startsWith("build")) files << relative;
    }
    return files;
}

bool plant(const QString& root, const QString& file, const QByteArray& text) {
    const QString path = QDir(root).filePath(file);
    return QDir().mkpath(QFileInfo(path).path()) && putFile(path, text);
}

} // namespace

class LayersTest : public QObject {
    Q_OBJECT
private slots:
    void sourcesFollowTheOrder() {
        const QStringList faults = includesAgainstTheOrder(ALAMBIX_SOURCE_DIR);
        for (const QString& fault : faults)
            qWarning().noquote() << fault;
        QVERIFY2(faults.isEmpty(), qPrintable(QString::number(faults.size()) +
                                              " includes against the order of the layers"));
        // the check did read the tree
        QVERIFY(QFileInfo::exists(ALAMBIX_SOURCE_DIR "/core/setupmodel.h"));
    }

    // One file per responsibility: none grows past 800 lines.
    void noSourceFileOver800Lines() {
        QStringList long_;
        for (const QString& relative : treeFiles(ALAMBIX_SOURCE_DIR, {"*.cpp", "*.h"})) {
            QFile file(QDir(ALAMBIX_SOURCE_DIR).filePath(relative));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const qsizetype lines = file.readAll().count('\n');
            if (lines > 800) long_ << relative + ": " + QString::number(lines) + " lines";
        }
        QVERIFY2(long_.isEmpty(), qPrintable(long_.join('\n')));
    }

    // Paths of the project, not of whatever project includes it: the build also works as a
    // subproject, with the data beside the program.
    void cmakeNamesTheProjectsOwnPaths() {
        QStringList faults;
        const QStringList files = treeFiles(ALAMBIX_SOURCE_DIR, {"CMakeLists.txt", "*.cmake"});
        QVERIFY(files.contains("CMakeLists.txt"));
        for (const QString& relative : files) {
            QFile file(QDir(ALAMBIX_SOURCE_DIR).filePath(relative));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(file.readAll());
            for (const char* name : {"CMAKE_SOURCE_DIR", "CMAKE_BINARY_DIR"})
                if (text.contains(QLatin1String("${") + name + '}'))
                    faults << relative + " uses " + name;
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
    }

    void plantedIncludes_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<bool>("fault");
        QTest::newRow("core up to drawing")
            << "core/x.cpp" << QByteArray("#include \"drawing/canvas.h\"") << true;
        QTest::newRow("core uses QtGui") << "core/x.h" << QByteArray("#include <QImage>") << true;
        QTest::newRow("core, QtGui by its path")
            << "core/x.h" << QByteArray("#  include <QtGui/QColor>") << true;
        QTest::newRow("core uses QtCore")
            << "core/x.h" << QByteArray("#include <QString>") << false;
        QTest::newRow("cli up to a window")
            << "cli/x.cpp" << QByteArray("#include \"windows/main/feuillep_window.h\"") << true;
        QTest::newRow("cli uses QtWidgets")
            << "cli/x.cpp" << QByteArray("#include <QMessageBox>") << true;
        QTest::newRow("cli down to session")
            << "cli/x.cpp" << QByteArray("#include \"session/setupdocument.h\"") << false;
        QTest::newRow("drawing across to richtext")
            << "drawing/x.cpp" << QByteArray("#include \"richtext/rtfreader.h\"") << true;
        QTest::newRow("richtext up to session")
            << "richtext/x.cpp" << QByteArray("#include \"session/introtext.h\"") << true;
        QTest::newRow("session down to drawing")
            << "session/x.cpp" << QByteArray("#include \"drawing/canvas.h\"") << false;
        QTest::newRow("a dialog up to the main window")
            << "windows/files/x.cpp" << QByteArray("#include \"windows/main/feuillep_window.h\"")
            << true;
        QTest::newRow("the main window down to a dialog")
            << "windows/main/x.cpp" << QByteArray("#include \"windows/files/ouvrir_dialog.h\"")
            << false;
        QTest::newRow("a window up to the start")
            << "windows/main/x.cpp" << QByteArray("#include \"app/program.h\"") << true;
        QTest::newRow("around by a relative path")
            << "core/x.cpp" << QByteArray("#include \"../drawing/canvas.h\"") << true;
        QTest::newRow("a folder in no layer") << "extra/x.cpp" << QByteArray("") << true;
        QTest::newRow("a folder in no layer inside windows")
            << "windows/extra/x.cpp" << QByteArray("") << true;
        QTest::newRow("tests may use any layer")
            << "tests/x.cpp" << QByteArray("#include \"windows/main/feuillep_window.h\"") << false;
    }

    void plantedIncludes() {
        QFETCH(QString, file);
        QFETCH(QByteArray, line);
        QFETCH(bool, fault);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        QVERIFY(plant(root.path(), file, "// planted\n" + line + "\n"));
        const QStringList faults = includesAgainstTheOrder(root.path());
        if (fault) {
            QCOMPARE(faults.size(), 1);
            QVERIFY2(faults.first().startsWith(file + ":"), qPrintable(faults.first()));
        } else {
            QVERIFY2(faults.isEmpty(), qPrintable(faults.join('\n')));
        }
    }
};

QTEST_GUILESS_MAIN(LayersTest)

#include "layers_test.moc"
