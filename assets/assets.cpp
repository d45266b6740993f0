#include "assets/assets.h"
#include "assets/vectorpicture.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLoggingCategory>
#include <QtGlobal>

static void registerAssets() {
    Q_INIT_RESOURCE(assets);
}

namespace alambix {

namespace {
Q_LOGGING_CATEGORY(pictures, "alambix.pictures", QtWarningMsg)

// The pixels the build rendered for this picture at this size and ratio, if it did (the
// pictures of the first window, at ratios 1 and 2); a null pixmap otherwise.
QPixmap prerendered(const QString& resource, QSize size, qreal ratio) {
    if ((ratio != 1 && ratio != 2) || !resource.startsWith(QLatin1String(":/"))) return {};
    QFile file(QStringLiteral(":/prerendered/%1@%2x%3@%4")
                   .arg(QStringView(resource).mid(2))
                   .arg(size.width())
                   .arg(size.height())
                   .arg(int(ratio)));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    const QSize pixels = size * ratio;
    if (bytes.size() != qsizetype(pixels.width()) * pixels.height() * 4) return {};
    const QImage image(reinterpret_cast<const uchar*>(bytes.constData()), pixels.width(),
                       pixels.height(), pixels.width() * 4, QImage::Format_RGBA8888_Premultiplied);
    QPixmap pixmap = QPixmap::fromImage(image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}
} // namespace

void loadAssets() {
    static const bool registered = (registerAssets(), true);
    Q_UNUSED(registered);
}

QPixmap renderPicture(const QString& resource, QSize size, qreal ratio) {
    loadAssets();
    if (ratio <= 0) ratio = qApp ? qApp->devicePixelRatio() : 1;
    if (QPixmap ready = prerendered(resource, size, ratio); !ready.isNull()) return ready;
    qCDebug(pictures) << "rendering" << resource << "at" << size << "ratio" << ratio;
    const QImage image = vectorPicture(resource, size, ratio);
    if (!image.isNull()) return QPixmap::fromImage(image);
    QPixmap empty(size * ratio);
    empty.setDevicePixelRatio(ratio);
    empty.fill(Qt::transparent);
    return empty;
}

} // namespace alambix
