// "Enregistrer l'image…" of the copy menu, driven through its file dialog with keys.
#include "drawing/picture.h"
#include "support/dialogs.h"
#include "support/files.h"
#include "support/messagecatcher.h"
#include "support/modalsteps.h"
#include "support/processes.h"
#include "windows/main/feuillep_window.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace alambix;

namespace {
QAction* menuItem(FeuilleP& main, const char* name) {
    return main.findChild<QMenu*>(QStringLiteral("menucop"))
        ->findChild<QAction*>(QString::fromLatin1(name));
}
} // namespace

class ImageExportTest : public QObject {
    Q_OBJECT
private slots:
    void savesEachFormat_data();
    void savesEachFormat();
    void failedWriteKeepsTheOldFile();
    void savesTheLabelledDrawing_data();
    void savesTheLabelledDrawing();
};

void ImageExportTest::savesEachFormat_data() {
    QTest::addColumn<int>("filter"); // 0 PNG, 1 SVG, 2 PDF
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QByteArray>("signature");
    QTest::addColumn<bool>("withBackground");
    QTest::newRow("png") << 0 << "a.png"
                         << "a.png" << QByteArray("\x89PNG") << true;
    QTest::newRow("svg by filter") << 1 << "b"
                                   << "b.svg" << QByteArray("<?xml") << true;
    QTest::newRow("pdf by filter") << 2 << "c"
                                   << "c.pdf" << QByteArray("%PDF-") << true;
    // The typed suffix wins over the filter, in any case.
    QTest::newRow("typed PDF") << 0 << "d.Pdf"
                               << "d.Pdf" << QByteArray("%PDF-") << true;
    QTest::newRow("typed SVG") << 2 << "e.SVG"
                               << "e.SVG" << QByteArray("<?xml") << true;
    QTest::newRow("png after a copy without background")
        << 0 << "f.PNG"
        << "f.PNG" << QByteArray("\x89PNG") << false;
}

void ImageExportTest::savesEachFormat() {
    QFETCH(int, filter);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(QByteArray, signature);
    QFETCH(bool, withBackground);
    QTemporaryDir dir;
    FeuilleP main(dir.path());
    main.show();
    main.model().click(Ballon);
    const QString folder = dir.filePath(QStringLiteral("images"));
    QVERIFY(QDir().mkpath(folder));
    // The dialog opens in the set-up's folder.
    main.document().setPath(folder + QStringLiteral("/m.C03"));
    if (!withBackground) menuItem(main, "sansfond")->trigger();
    DialogAnswerer driver(typed, filter);
    MessageCatcher catcher;
    menuItem(main, "enrimage")->trigger();
    QCOMPARE(driver.shown(), 1);
    QVERIFY(catcher.messages().empty());
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{written});
    const QByteArray bytes = fileBytes(QDir(folder).filePath(written));
    QVERIFY2(bytes.startsWith(signature), bytes.left(16).constData());
    QVERIFY(bytes.size() > 500);
    if (signature.startsWith("\x89PNG")) {
        const QImage image = QImage::fromData(bytes, "PNG");
        QCOMPARE(image.size(), QSize(321, 490));
        // The gradient runs from top to bottom; without it both corners have the back colour.
        const QColor corner = image.pixelColor(2, 2);
        const QColor bottom = image.pixelColor(2, 487);
        QCOMPARE(corner != bottom, withBackground);
    }
}

void ImageExportTest::failedWriteKeepsTheOldFile() {
    QTemporaryDir dir;
    FeuilleP main(dir.path());
    main.show();
    main.model().click(Ballon);
    const QString old = dir.filePath(QStringLiteral("schema.png"));
    QVERIFY(putFile(old, "ancien"));
    main.document().setPath(dir.filePath(QStringLiteral("m.C03")));
    DialogAnswerer driver(QStringLiteral("schema.png"));
    MessageCatcher catcher(QMessageBox::Yes); // replace it: yes
    // Files may grow to 1 kB: the image cannot be written, as on a full disk.
    {
        const FileSizeLimit limit(1024);
        QVERIFY(limit.isSet());
        menuItem(main, "enrimage")->trigger();
    }
    // Back in the dialog after the message, which the driver cancels.
    QCOMPARE(driver.shown(), 2);
    QCOMPARE(catcher.messages().size(), size_t(2));
    QCOMPARE(catcher.messages().back().text, QStringLiteral("Ecriture impossible sur disque"));
    QCOMPARE(fileBytes(old), QByteArray("ancien"));
    QCOMPARE(QDir(dir.path()).entryList({QStringLiteral("*.png*")}, QDir::Files),
             QStringList{QStringLiteral("schema.png")});
}

void ImageExportTest::savesTheLabelledDrawing_data() {
    QTest::addColumn<bool>("labelled");
    QTest::newRow("labelled") << true;
    QTest::newRow("plain") << false;
}

void ImageExportTest::savesTheLabelledDrawing() {
    QFETCH(bool, labelled);
    QTemporaryDir dir;
    FeuilleP main(dir.path());
    main.show();
    for (int element : {0, 3, 10, 9, 11})
        main.model().click(element);
    main.document().setPath(dir.filePath(QStringLiteral("m.C03")));
    const QString path = dir.filePath(QStringLiteral("legende.png"));
    ModalSteps steps({[&](QWidget* modal) {
        auto* legender = modal->findChild<QCheckBox*>(QStringLiteral("legender"));
        QVERIFY(legender && legender->isVisible() && !legender->isChecked());
        if (labelled) QTest::mouseClick(legender, Qt::LeftButton, {}, QPoint(6, 6));
        auto* name = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        typeInto(name, QFileInfo(path).fileName());
        QTest::keyClick(name, Qt::Key_Return);
    }});
    menuItem(main, "enrimage")->trigger();
    QCOMPARE(steps.seen(), 1);
    // The labelled picture is wider than the drawing by its margins.
    const QImage image(path);
    const PictureOptions options{main.model().values(), true, false,
                                 labelled ? LabelMode::Names : LabelMode::None};
    QCOMPARE(image.size(), layoutLabels(options.values, options.labels).size);
    QCOMPARE(image.convertToFormat(QImage::Format_RGB32),
             pictureImage(options, layoutLabels(options.values, options.labels)));
}

QTEST_MAIN(ImageExportTest)
#include "imageexport_test.moc"
