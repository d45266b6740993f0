// The main window on a projector (run on a 1600 x 1200 screen): its whole content grows with the
// window, in proportion, drawn again at the new size; back at the design's size it is the
// design again, pixel for pixel.
#include "drawing/fonts.h"
#include "support/drawinghelpers.h"
#include "windows/common/buttonfacestyle.h"
#include "windows/main/dessin_widget.h"
#include "windows/main/elementbutton.h"
#include "windows/main/feuillep_window.h"
#include "windows/main/windowlayout.h"
#include "windows/text/formatbar.h"
#include "windows/text/textpanel.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>

#include <memory>

using namespace alambix;
using alambix::testing::finerBlocks;

namespace {
QRect doubled(const QRect& rect) {
    return QRect(rect.topLeft() * 2, rect.size() * 2);
}

const QStringList designedControls{"Command3", "Command1", "Check1_7", "Check1_0",
                                   "dessin",   "Label1",   "Image2",   "info",
                                   "BTEXO",    "fich",     "supertext"};
} // namespace

class ScaleTest : public QObject {
    Q_OBJECT
private slots:
    // The program's style and font, as at its start.
    void initTestCase() {
        QApplication::setStyle(new ButtonFaceStyle);
        QApplication::setFont(windowFont(8.25));
    }

    void init() {
        // The pointer away from the window: no control shows it hovering.
        QCursor::setPos(1599, 1199);
        m_design = std::make_unique<FeuilleP>(m_folder.path());
        m_window = std::make_unique<FeuilleP>(m_folder.path());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() {
        m_window.reset();
        m_design.reset();
    }

    void scaleFollowsTheClientArea_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QPoint>("offset");
        QTest::newRow("design") << QSize(791, 572) << 1.0 << QPoint(0, 0);
        QTest::newRow("small screen's frame") << QSize(798, 577) << 1.0 << QPoint(0, 0);
        QTest::newRow("a little larger") << QSize(830, 620) << 1.0 << QPoint(15, 10);
        QTest::newRow("wider, bound by the height") << QSize(1000, 700) << 1.15 << QPoint(40, 5);
        QTest::newRow("maximised on 1600 x 1200") << QSize(1600, 1177) << 1.95 << QPoint(20, 3);
        QTest::newRow("twice the page") << QSize(1600, 1200) << 2.0 << QPoint(0, 0);
        QTest::newRow("smaller than the page") << QSize(500, 300) << 1.0 << QPoint(0, 0);
    }
    void scaleFollowsTheClientArea() {
        QFETCH(QSize, client);
        QFETCH(double, scale);
        QFETCH(QPoint, offset);
        QCOMPARE(alambix::contentScale(client), scale);
        QCOMPARE(alambix::contentOffset(client, scale), offset);
    }

    // Twice the page: every control twice its place and size, its text twice its size.
    void contentGrowsInProportion() {
        resizeTo(QSize(1600, 1200));
        QCOMPARE(m_window->contentScale(), 2.0);
        for (const QString& name : designedControls)
            QCOMPARE(child<QWidget>(name)->geometry(),
                     doubled(m_design->findChild<QWidget*>(name)->geometry()));
        QCOMPARE(child<QWidget>("Command3")->font().pointSizeF(), 16.5);
        QCOMPARE(child<QWidget>("fich")->font().pointSizeF(), 16.5);
        QCOMPARE(child<QWidget>("Check1_3")->font().pointSizeF(), 16.5);
        // The pictures drawn again at their size: the command's icon, the tab.
        auto* nouveau = child<QToolButton>("Command3");
        QCOMPARE(nouveau->iconSize(), QSize(40, 40));
        QVERIFY(finerBlocks(nouveau->icon().pixmap(QSize(40, 40)).toImage()) > 20);
        QCOMPARE(child<QLabel>("BTEXO")->pixmap().size(), QSize(194, 38));
        QVERIFY(finerBlocks(child<QLabel>("BTEXO")->pixmap().toImage()) > 50);

        // A named set-up's name, a hint, each at twice the design's size where it fits.
        m_window->model().click(3);
        m_window->model().click(8);
        m_design->model().click(3);
        m_design->model().click(8);
        QCOMPARE(child<QLabel>("Label1")->font().pointSizeF(),
                 2 * m_design->findChild<QLabel*>(QStringLiteral("Label1"))->font().pointSizeF());
        const QString hint = QStringLiteral("Effacer le montage actuel");
        m_window->setHint(hint);
        m_design->setHint(hint);
        QCOMPARE(child<QLabel>("info")->font().pointSizeF(),
                 2 * m_design->findChild<QLabel*>(QStringLiteral("info"))->font().pointSizeF());
        QCOMPARE(child<QWidget>("info")->geometry(),
                 doubled(m_design->findChild<QWidget*>(QStringLiteral("info"))->geometry()));
    }

    // The drawing is drawn again at twice its size: lines twice as wide, letters and curves at
    // the new resolution, not the 321 x 490 picture stretched.
    void drawingDrawnAtTheNewSize() {
        resizeTo(QSize(1600, 1200));
        auto* dessin = m_window->dessin();
        QCOMPARE(dessin->size(), QSize(642, 980));
        // Once the drawing was shown at that size, a line of the pump's water: one drawing
        // pixel wide at x 261, from y 381 to 436.
        dessin->grab();
        m_window->document().surface().drawWaterLine(0, 0.5, 0, 1);
        const DrawingSurface& surface = m_window->document().surface();
        QCOMPARE(surface.image().size(), QSize(321, 490));
        const QImage shown = dessin->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(shown.size(), QSize(642, 980));
        const QColor cyan(0, 255, 255);
        for (int y : {2 * 400, 2 * 430 + 1}) {
            QCOMPARE(shown.pixelColor(522, y), cyan);
            QCOMPARE(shown.pixelColor(523, y), cyan);
            QVERIFY(shown.pixelColor(521, y) != cyan);
            QVERIFY(shown.pixelColor(524, y) != cyan);
        }
        QVERIFY2(finerBlocks(shown) > 200, qPrintable(QString::number(finerBlocks(shown))));
    }

    // The panel's text is laid out twice as large, and stays the same text: no edit, nothing
    // to save.
    void textGrowsUntouched() {
        auto* panel = child<TextPanel>("supertext");
        m_window->exercise().setFich(QStringLiteral("/x/exo.E08"));
        const QString html = panel->document()->toHtml();
        const qreal designTitle = panel->document()
                                      ->documentLayout()
                                      ->blockBoundingRect(panel->document()->begin())
                                      .height();
        resizeTo(QSize(1600, 1200));
        const qreal title = panel->document()
                                ->documentLayout()
                                ->blockBoundingRect(panel->document()->begin())
                                .height();
        QVERIFY2(qAbs(title - 2 * designTitle) <= 2,
                 qPrintable(QStringLiteral("%1 against %2").arg(title).arg(designTitle)));
        QCOMPARE(panel->document()->toHtml(), html);
        QVERIFY(!m_window->exercise().textemodifie());
        // The editable text's formatting bar, built while the window is large, is too.
        panel->setReadOnly(false);
        QVERIFY(panel->formatBar() && panel->formatBar()->isVisible());
        // Its letters at twice the design's size, once: the panel's own font stays the design's.
        QCOMPARE(panel->formatBar()
                     ->findChild<QToolButton*>(QStringLiteral("taille"))
                     ->font()
                     .pointSizeF(),
                 16.5);
        QCOMPARE(panel->document()->defaultFont().pointSizeF(), 8.25);
        for (auto* button : panel->formatBar()->findChildren<QToolButton*>())
            if (!button->icon().isNull()) QCOMPARE(button->iconSize(), QSize(32, 32));
    }

    // What is built while the window is large, or stands when it changes size, follows: the
    // check button beside the name, the check's box on the panel's foot.
    void laterControlsFollow() {
        const QRect designName =
            m_design->findChild<QWidget*>(QStringLiteral("Label1"))->geometry();
        resizeTo(QSize(1600, 1200));
        m_window->openExerciseFile(QStringLiteral(ALAMBIX_PACK_DIR "/ccm.E08"));
        QTest::keyClick(m_window.get(), Qt::Key_F7);
        for (const QSize size : {QSize(1600, 1200), QSize(1000, 700)}) {
            resizeTo(size);
            const qreal scale = m_window->contentScale();
            const QRect name = child<QLabel>("Label1")->geometry();
            const QRect full =
                QRect(QPoint(qRound(designName.left() * scale), qRound(designName.top() * scale)),
                      QPoint(qRound((designName.right() + 1) * scale) - 1,
                             qRound((designName.bottom() + 1) * scale) - 1))
                    .translated(m_window->contentOffset());
            auto* check = child<QToolButton>("verifier");
            QVERIFY(check->isVisible());
            QCOMPARE(check->geometry().right(), full.right());
            QCOMPARE(check->geometry().top(), full.top());
            QCOMPARE(check->height(), full.height());
            QCOMPARE(name.left(), full.left());
            QVERIFY(name.right() < check->geometry().left());
            QCOMPARE(check->font().pointSizeF(), 8.25 * scale);
            auto* box = child<QFrame>("verification");
            const QRect panel = child<QWidget>("supertext")->geometry();
            QVERIFY(box->isVisible());
            QCOMPARE(box->geometry().bottom(), panel.bottom());
            QCOMPARE(box->width(), panel.width());
            QCOMPARE(
                box->findChild<QLabel*>(QStringLiteral("verificationtexte"))->font().pointSizeF(),
                9.75 * scale);
        }
    }

    // Resized back to the design's size, the window is the design again, pixel for pixel.
    void backAtTheDesignSizeNothingShows() {
        resizeTo(QSize(1600, 1200));
        resizeTo(QSize(1000, 700));
        resizeTo(m_design->size());
        QCOMPARE(m_window->contentScale(), 1.0);
        QCOMPARE(m_window->hint(), m_design->hint());
        const QImage back = m_window->grab().toImage(), design = m_design->grab().toImage();
        QCOMPARE(back, design);
    }

private:
    template <typename T> T* child(const QString& name) {
        T* widget = m_window->findChild<T*>(name);
        if (!widget) qFatal("no %s", qPrintable(name));
        return widget;
    }
    template <typename T> T* child(const char* name) { return child<T>(QString::fromLatin1(name)); }
    void resizeTo(QSize size) {
        m_window->resize(size);
        QTRY_COMPARE(m_window->size(), size);
    }

    QTemporaryDir m_folder;
    std::unique_ptr<FeuilleP> m_design;
    std::unique_ptr<FeuilleP> m_window;
};

QTEST_MAIN(ScaleTest)
#include "scale_test.moc"
