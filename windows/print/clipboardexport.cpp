#include "windows/print/clipboardexport.h"

#include "drawing/drawingexport.h"
#include "session/setupdocument.h"

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace alambix {

namespace {
// Scale of the large PNG: sharp on paper at three times the screen's resolution.
constexpr int SharpScale = 3;
} // namespace

void putPictureOnClipboard(const QImage& bitmap, const PictureOptions& options) {
    auto* data = new QMimeData;
    data->setImageData(bitmap);
    QByteArray png;
    QBuffer pngBuffer(&png);
    pngBuffer.open(QIODevice::WriteOnly);
    if (pictureImage(options, layoutLabels(options.values, options.labels), SharpScale)
            .save(&pngBuffer, "PNG"))
        data->setData(QStringLiteral("image/png"), png);
    QByteArray svg;
    QBuffer svgBuffer(&svg);
    svgBuffer.open(QIODevice::WriteOnly);
    if (writePicture(svgBuffer, ExportFormat::Svg, options))
        data->setData(QStringLiteral("image/svg+xml"), svg);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setMimeData(data);
}

QString messagecopie() {
    return QStringLiteral(
        "L'image est copiée: vous pouvez la retrouver depuis toute autre application (coller)");
}

void avecfond(const SetupDocument& document) {
    putPictureOnClipboard(document.surface().image().copy(),
                          PictureOptions{document.model().values(), true});
}

void sansfond(SetupDocument& document) {
    QImage bare;
    {
        // The user sees the bare drawing while it is copied.
        const BareDrawing drawing(document);
        bare = drawing.picture();
    }
    putPictureOnClipboard(bare, PictureOptions{document.model().values(), false});
}

void copyLabelledDrawing(const SetupDocument& document) {
    copyPicture(PictureOptions{document.model().values(), true, false, LabelMode::Names});
}

void copyPicture(const PictureOptions& options) {
    putPictureOnClipboard(pictureImage(options, layoutLabels(options.values, options.labels)),
                          options);
}

} // namespace alambix
