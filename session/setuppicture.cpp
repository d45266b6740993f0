#include "session/setuppicture.h"

#include "drawing/drawingexport.h"
#include "drawing/drawingsurface.h"
#include "drawing/setupdrawing.h"
#include "richtext/documentpictures.h"

#include <QBuffer>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

namespace alambix {

QImage setupPicture(const SetupValues& values) {
    QImage image(DrawingWidth * SetupPictureScale, DrawingHeight * SetupPictureScale,
                 QImage::Format_RGB32);
    image.fill(DrawingSurface::backColour());
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(SetupPictureScale, SetupPictureScale);
    renderDrawing(painter, values, true);
    painter.end();
    return image;
}

QString addSetupPicture(QTextDocument& document, const SetupValues& values) {
    const QString name = newPictureName(QStringLiteral("montage"));
    const QImage picture = setupPicture(values);
    // Encoded once, here: every save writes these bytes.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    addPicture(document, QUrl(name), picture, png);
    return name;
}

void insertSetupPicture(QTextCursor& cursor, const SetupValues& values, double width) {
    QTextImageFormat format;
    format.setName(addSetupPicture(*cursor.document(), values));
    format.setWidth(width);
    format.setHeight(width * DrawingHeight / DrawingWidth);
    cursor.insertImage(format);
}

} // namespace alambix
