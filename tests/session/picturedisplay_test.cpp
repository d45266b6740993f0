// Pictures in a document drawn at the size the text gives them: a line one pixel thin in a
// picture shown at half its size is still there on the screen, and a picture given only its
// width keeps its proportions.
#include "session/picturedisplay.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

using namespace alambix;

namespace {
// The document drawn on a white image of its own size.
QImage rendered(QTextDocument& document) {
    QImage image(document.size().toSize(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    document.documentLayout()->draw(&painter, {});
    return image;
}

// The darkest grey of a row.
int darkest(const QImage& image, int y) {
    int dark = 255;
    for (int x = 0; x < image.width(); ++x)
        dark = std::min(dark, qGray(image.pixel(x, y)));
    return dark;
}
} // namespace

class PictureDisplayTest : public QObject {
    Q_OBJECT
private slots:
    void thinLinesStayWhenScaledDown_data() {
        QTest::addColumn<bool>("smooth");
        QTest::newRow("Qt's own handler") << false;
        QTest::newRow("smoothly") << true;
    }
    void thinLinesStayWhenScaledDown() {
        QFETCH(bool, smooth);
        // Black lines on every odd row: scaled to half by dropping rows, none would be left.
        QImage picture(200, 200, QImage::Format_RGB32);
        picture.fill(Qt::white);
        for (int y = 1; y < 200; y += 2)
            for (int x = 0; x < 200; ++x)
                picture.setPixel(x, y, qRgb(0, 0, 0));
        QTextDocument document;
        document.setDocumentMargin(0);
        if (smooth) showPicturesSmoothly(document);
        document.addResource(QTextDocument::ImageResource, QUrl("lines"), picture);
        QTextImageFormat format;
        format.setName(QStringLiteral("lines"));
        format.setWidth(100);
        QTextCursor(&document).insertImage(format);
        const QImage image = rendered(document);
        // Half of every pair of rows was black: a smooth half-size picture is mid-grey.
        const int grey = darkest(image, 50);
        if (smooth)
            QVERIFY2(grey > 60 && grey < 200, qPrintable(QString::number(grey)));
        else
            QVERIFY2(grey == 0 || grey == 255, qPrintable(QString::number(grey)));
    }

    void widthAloneKeepsTheProportions() {
        QTextDocument document;
        showPicturesSmoothly(document);
        document.addResource(QTextDocument::ImageResource, QUrl("p"),
                             QImage(321, 490, QImage::Format_RGB32));
        QTextImageFormat format;
        format.setName(QStringLiteral("p"));
        format.setWidth(160);
        const QSizeF size = document.documentLayout()
                                ->handlerForObject(QTextFormat::ImageObject)
                                ->intrinsicSize(&document, 0, format);
        QCOMPARE(size.width(), 160.0);
        QCOMPARE(qRound(size.height()), qRound(160.0 * 490 / 321));
    }
};

QTEST_MAIN(PictureDisplayTest)
#include "picturedisplay_test.moc"
