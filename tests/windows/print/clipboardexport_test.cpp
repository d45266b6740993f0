// The copy of the drawing to the clipboard, with and without its background.
#include "windows/main/dessin_widget.h"
#include "windows/main/feuillep_window.h"
#include "windows/print/clipboardexport.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>

using namespace alambix;

class ClipboardExportTest : public QObject {
    Q_OBJECT
private slots:
    void copies_data() {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<bool>("withBackground");
        QTest::newRow("empty, with background") << "" << true;
        QTest::newRow("empty, without background") << "" << false;
        QTest::newRow("reflux, with background") << "3,8" << true;
        QTest::newRow("reflux, without background") << "3,8" << false;
        QTest::newRow("vacuum filtration, without background") << "4,6" << false;
    }

    void copies() {
        QFETCH(QString, clicks);
        QFETCH(bool, withBackground);
        QTemporaryDir dir;
        FeuilleP feuille(dir.path());
        for (const QString& element : clicks.split(QLatin1Char(','), Qt::SkipEmptyParts))
            feuille.model().click(element.toInt());
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));

        const QImage screenBefore = feuille.dessin()->surface().image();
        const SetupValues values = feuille.model().values();
        const SetupValues enabled = feuille.model().enabledStates();
        const QString name = feuille.findChild<QLabel*>(QStringLiteral("Label1"))->text();

        // Through the copy menu, as the user does.
        feuille
            .findChild<QAction*>(withBackground ? QStringLiteral("avecfond")
                                                : QStringLiteral("sansfond"))
            ->trigger();

        const QImage copied =
            QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(copied.size(), QSize(321, 490));
        // Beside the bitmap, the drawing three times as large and as vectors, to print sharp.
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        const QImage large = QImage::fromData(data->data(QStringLiteral("image/png")), "PNG");
        QCOMPARE(large.size(), QSize(963, 1470));
        QCOMPARE(large.pixel(1, 1), withBackground ? qRgb(255, 200, 155) : qRgb(255, 255, 255));
        QSvgRenderer vectors(data->data(QStringLiteral("image/svg+xml")));
        QVERIFY(vectors.isValid());
        QCOMPARE(vectors.viewBox(), QRect(0, 0, 321, 490));
        QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
        const QRgb corner = withBackground ? qRgb(255, 200, 155) : qRgb(255, 255, 255);
        QCOMPARE(copied.pixel(0, 0), corner);
        QCOMPARE(copied.pixel(320, 0), corner);
        QCOMPARE(copied.pixel(0, 489), qRgb(255, 255, 255));

        // The bare copy is the set-up drawn on a surface without background.
        DrawingSurface expected;
        if (withBackground) expected.paintBackground();
        expected.drawSetup(values);
        QCOMPARE(copied, expected.image().convertToFormat(QImage::Format_RGB32));

        // The screen, the set-up, its name and its buttons are as before.
        QVERIFY(feuille.dessin()->surface().hasBackground());
        QCOMPARE(feuille.dessin()->surface().image(), screenBefore);
        QCOMPARE(feuille.model().values(), values);
        QCOMPARE(feuille.model().enabledStates(), enabled);
        QCOMPARE(feuille.findChild<QLabel*>(QStringLiteral("Label1"))->text(), name);
        QCOMPARE(feuille.hint(), messagecopie());
    }

    void copiesTheLabelledDrawing() {
        QTemporaryDir dir;
        FeuilleP feuille(dir.path());
        for (int element : {int(Ballon), int(RefrigerantABoules)})
            feuille.model().click(element);
        feuille.findChild<QAction*>(QStringLiteral("avecnoms"))->trigger();
        const PictureOptions options{feuille.model().values(), true, false, LabelMode::Names};
        const LabelLayout layout = layoutLabels(options.values, options.labels);
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                 pictureImage(options, layout));
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QCOMPARE(QImage::fromData(data->data(QStringLiteral("image/png")), "PNG").size(),
                 layout.size * 3);
        const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
        QVERIFY(svg.contains("Réfrigérant à boules"));
        QVERIFY(svg.contains("<title>Chauffage à reflux</title>"));
        QCOMPARE(feuille.hint(), messagecopie());
        // The screen's drawing is left as it was.
        QCOMPARE(feuille.dessin()->surface().image().size(), QSize(321, 490));
    }

    void confirmationText() {
        QCOMPARE(messagecopie(), QStringLiteral("L'image est copiée: vous pouvez la retrouver "
                                                "depuis toute autre application (coller)"));
    }

    void copyMenuScreenshot() {
        QTemporaryDir dir;
        FeuilleP feuille(dir.path());
        feuille.show();
        QVERIFY(QTest::qWaitForWindowExposed(&feuille));
        auto* menu = feuille.findChild<QMenu*>(QStringLiteral("menucop"));
        QVERIFY(menu);
        menu->popup(feuille.mapToGlobal(QPoint(280, 30)));
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QCOMPARE(menu->actions().size(), 4);
        QCOMPARE(menu->actions().at(0)->objectName(), QStringLiteral("avecfond"));
        QCOMPARE(menu->actions().at(1)->objectName(), QStringLiteral("sansfond"));
        QCOMPARE(menu->actions().at(2)->objectName(), QStringLiteral("avecnoms"));
        QCOMPARE(menu->actions().at(2)->text(), QStringLiteral("Copier le schéma légendé"));
        QCOMPARE(menu->actions().at(3)->objectName(), QStringLiteral("enrimage"));
        menu->grab().save(QStringLiteral("/tmp/menucop.png"));
        menu->hide();
        feuille.hide();
    }
};

QTEST_MAIN(ClipboardExportTest)
#include "clipboardexport_test.moc"
