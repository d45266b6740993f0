#include "richtext/documentpictures.h"

#include <QImage>
#include <QTextDocument>
#include <QUrl>

#include <atomic>

namespace alambix {

namespace {
// The bytes live beside the image, under the image's name with this fragment: a document keeps
// one resource per name, whatever its type.
QUrl bytesName(const QUrl& name) {
    QUrl bytes(name);
    bytes.setFragment(QStringLiteral("bytes"));
    return bytes;
}
} // namespace

QString newPictureName(const QString& scheme) {
    static std::atomic<quint64> count{0};
    return scheme + QStringLiteral("://") + QString::number(++count);
}

void addPicture(QTextDocument& document, const QUrl& name, const QImage& image,
                const QByteArray& encoded) {
    document.addResource(QTextDocument::ImageResource, name, image);
    if (pictureFormatOf(encoded) != PictureFormat::Other)
        document.addResource(QTextDocument::UserResource, bytesName(name), encoded);
}

QByteArray pictureBytes(const QTextDocument& document, const QUrl& name) {
    const QVariant bytes = document.resource(QTextDocument::UserResource, bytesName(name));
    if (bytes.userType() != QMetaType::QByteArray) return {};
    return bytes.toByteArray();
}

PictureFormat pictureFormatOf(const QByteArray& bytes) {
    if (bytes.startsWith("\x89PNG\r\n\x1a\n")) return PictureFormat::Png;
    if (bytes.startsWith("\xff\xd8\xff")) return PictureFormat::Jpeg;
    return PictureFormat::Other;
}

} // namespace alambix
