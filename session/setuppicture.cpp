#include "session/setuppicture.h"

#include "drawing/drawingexport.h"
#include "drawing/drawingsurface.h"
#include "drawing/setupdrawing.h"

#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QUrl>

#include <atomic>

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
    // A name no other picture has, in this document or any other: a picture copied from one
    // document to another must not meet a different one of the same name.
    static std::atomic<int> count{0};
    const QString name = QStringLiteral("montage://%1").arg(++count);
    document.addResource(QTextDocument::ImageResource, QUrl(name), setupPicture(values));
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
