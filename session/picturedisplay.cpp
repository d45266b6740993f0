#include "session/picturedisplay.h"

#include <QAbstractTextDocumentLayout>
#include <QCache>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTextDocument>
#include <QTextFormat>
#include <QTextObjectInterface>
#include <QUrl>

#include <cmath>

namespace alambix {

namespace {

QImage pictureOf(const QTextDocument* document, const QTextImageFormat& format) {
    const QVariant resource = document->resource(QTextDocument::ImageResource, QUrl(format.name()));
    if (resource.userType() == QMetaType::QImage) return resource.value<QImage>();
    if (resource.userType() == QMetaType::QPixmap) return resource.value<QPixmap>().toImage();
    if (resource.userType() == QMetaType::QByteArray)
        return QImage::fromData(resource.toByteArray());
    return {};
}

class SmoothPictures : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    explicit SmoothPictures(QObject* parent) : QObject(parent), m_scaled(16 << 20) {}

    QSizeF intrinsicSize(QTextDocument* document, int, const QTextFormat& format) override {
        const QTextImageFormat picture = format.toImageFormat();
        const bool hasWidth = picture.hasProperty(QTextFormat::ImageWidth);
        const bool hasHeight = picture.hasProperty(QTextFormat::ImageHeight);
        QSizeF size(picture.width(), picture.height());
        if (!hasWidth || !hasHeight) {
            const QSizeF own = pictureOf(document, picture).deviceIndependentSize();
            if (own.isEmpty()) return QSizeF(16, 16);
            if (!hasWidth && !hasHeight)
                size = own;
            else if (!hasWidth)
                size.setWidth(own.width() * size.height() / own.height());
            else
                size.setHeight(own.height() * size.width() / own.width());
        }
        // A printer counts more dots to the inch than the screen the text was laid out for.
        if (const QPaintDevice* device = document->documentLayout()->paintDevice())
            size *= qreal(device->logicalDpiY()) / 96.0;
        return size;
    }

    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document, int,
                    const QTextFormat& format) override {
        const QImage picture = pictureOf(document, format.toImageFormat());
        if (picture.isNull()) {
            painter->drawRect(rect.adjusted(0, 0, -1, -1));
            return;
        }
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1;
        const QSize target(int(std::lround(rect.width() * ratio)),
                           int(std::lround(rect.height() * ratio)));
        const bool scaledOnScreen = painter->transform().type() <= QTransform::TxTranslate &&
                                    !target.isEmpty() && target.width() < picture.width();
        if (!scaledOnScreen) {
            // Larger (a printer) or turned: the picture itself, smoothly.
            painter->save();
            painter->setRenderHint(QPainter::SmoothPixmapTransform);
            painter->drawImage(rect, picture);
            painter->restore();
            return;
        }
        const QString key = QStringLiteral("%1:%2x%3")
                                .arg(picture.cacheKey())
                                .arg(target.width())
                                .arg(target.height());
        QImage scaled;
        if (const QImage* kept = m_scaled.object(key)) {
            scaled = *kept;
        } else {
            scaled = picture.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            m_scaled.insert(key, new QImage(scaled),
                            int(std::min<qsizetype>(scaled.sizeInBytes(), 1 << 30)));
        }
        painter->drawImage(QRectF(rect.topLeft(), QSizeF(target) / ratio), scaled);
    }

private:
    // The pictures scaled for the screen, 16 MB of them at most.
    QCache<QString, QImage> m_scaled;
};

} // namespace

void showPicturesSmoothly(QTextDocument& document) {
    document.documentLayout()->registerHandler(QTextFormat::ImageObject,
                                               new SmoothPictures(&document));
}

} // namespace alambix

#include "picturedisplay.moc"
