// The apparatus artwork: every piece loads, has the size the drawing expects and is
// transparent outside the glass.

#include "drawing/artwork.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

using namespace alambix;

Q_DECLARE_METATYPE(alambix::ArtworkId)

class ArtworkTest : public QObject {
    Q_OBJECT
private slots:
    void piece_data();
    void piece();
    void vectorDrawingMatchesThePixels();
};

void ArtworkTest::piece_data() {
    QTest::addColumn<ArtworkId>("id");
    QTest::addColumn<QString>("resource");
    QTest::addColumn<QSize>("size");
    // A point inside the piece that must be painted, and one outside that must stay clear.
    QTest::addColumn<QPoint>("inside");
    QTest::addColumn<QPoint>("outside");

    QTest::newRow("stemmed glass") << ArtworkId::StemmedGlass << "stemmed-glass.svg"
                                   << QSize(100, 110) << QPoint(50, 40) << QPoint(5, 60);
    QTest::newRow("beaker") << ArtworkId::Beaker << "beaker.svg" << QSize(100, 110)
                            << QPoint(16, 50) << QPoint(90, 50);
    QTest::newRow("Erlenmeyer") << ArtworkId::Erlenmeyer << "erlenmeyer.svg" << QSize(100, 110)
                                << QPoint(50, 95) << QPoint(10, 20);
    QTest::newRow("filter funnel") << ArtworkId::FilterFunnel << "filter-funnel.svg"
                                   << QSize(100, 167) << QPoint(48, 40) << QPoint(10, 120);
    QTest::newRow("vacuum flask") << ArtworkId::VacuumFlask << "vacuum-flask.svg" << QSize(79, 139)
                                  << QPoint(37, 100) << QPoint(75, 60);
    QTest::newRow("flask with mantle") << ArtworkId::FlaskWithMantle << "flask-with-mantle.svg"
                                       << QSize(112, 137) << QPoint(57, 118) << QPoint(5, 20);
    QTest::newRow("separating funnel") << ArtworkId::SeparatingFunnel << "separating-funnel.svg"
                                       << QSize(49, 192) << QPoint(23, 100) << QPoint(5, 160);
    QTest::newRow("Buchner") << ArtworkId::Buchner << "buchner.svg" << QSize(79, 74)
                             << QPoint(37, 45) << QPoint(5, 60);
    QTest::newRow("bulb condenser") << ArtworkId::BulbCondenser << "bulb-condenser.svg"
                                    << QSize(33, 223) << QPoint(13, 100) << QPoint(30, 100);
    QTest::newRow("Vigreux column") << ArtworkId::VigreuxColumn << "vigreux-column.svg"
                                    << QSize(33, 223) << QPoint(13, 100) << QPoint(30, 100);
    QTest::newRow("straight condenser") << ArtworkId::StraightCondenser << "straight-condenser.svg"
                                        << QSize(155, 66) << QPoint(60, 22) << QPoint(140, 10);
    QTest::newRow("thermometer") << ArtworkId::Thermometer << "thermometer.svg" << QSize(13, 109)
                                 << QPoint(6, 102) << QPoint(1, 50);
    QTest::newRow("tap") << ArtworkId::Tap << "tap.svg" << QSize(32, 32) << QPoint(15, 2)
                         << QPoint(28, 28);
}

void ArtworkTest::piece() {
    QFETCH(ArtworkId, id);
    QFETCH(QString, resource);
    QFETCH(QSize, size);
    QFETCH(QPoint, inside);
    QFETCH(QPoint, outside);

    const QString path = QStringLiteral(":/artwork/") + resource;
    QVERIFY2(QFile::exists(path), qPrintable(path));
    QSvgRenderer renderer(path);
    QVERIFY(renderer.isValid());
    QCOMPARE(renderer.viewBoxF(), QRectF(QPointF(0, 0), QSizeF(size)));
    QCOMPARE(artworkSize(id), size);

    const QImage image = artworkImage(id);
    QCOMPARE(image.size(), size);
    QVERIFY2(qAlpha(image.pixel(inside)) > 100,
             qPrintable(QString::number(qAlpha(image.pixel(inside)))));
    QCOMPARE(qAlpha(image.pixel(outside)), 0);
    for (QPoint corner : {QPoint(0, 0), QPoint(size.width() - 1, size.height() - 1)})
        if (id != ArtworkId::Tap && id != ArtworkId::VacuumFlask &&
            id != ArtworkId::StraightCondenser)
            QCOMPARE(qAlpha(image.pixel(corner)), 0);
}

void ArtworkTest::vectorDrawingMatchesThePixels() {
    // Drawn as vectors at their place, the pieces land where the cached pixels do.
    for (int k = 0; k < ArtworkCount; ++k) {
        const auto id = static_cast<ArtworkId>(k);
        QImage pixels(200, 300, QImage::Format_ARGB32_Premultiplied);
        pixels.fill(Qt::transparent);
        QImage vectors = pixels;
        {
            QPainter painter(&pixels);
            drawArtwork(painter, id, QPointF(20, 30), false);
        }
        {
            QPainter painter(&vectors);
            drawArtwork(painter, id, QPointF(20, 30), true);
        }
        int differing = 0;
        for (int y = 0; y < pixels.height(); ++y)
            for (int x = 0; x < pixels.width(); ++x)
                if (qAlpha(pixels.pixel(x, y)) / 64 != qAlpha(vectors.pixel(x, y)) / 64)
                    ++differing;
        QVERIFY2(differing < 20,
                 qPrintable(QStringLiteral("artwork %1: %2 pixels").arg(k).arg(differing)));
    }
}

QTEST_MAIN(ArtworkTest)
#include "artwork_test.moc"
