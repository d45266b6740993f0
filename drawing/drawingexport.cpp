#include "drawing/drawingexport.h"

#include "drawing/drawingsurface.h"
#include "drawing/paintercanvas.h"
#include "drawing/setupdrawing.h"

#include <QFileInfo>
#include <QPainter>
#include <QSaveFile>

namespace alambix {

void renderDrawing(QPainter& painter, const SetupValues& values, bool withBackground)
{
    painter.save();
    painter.setClipRect(QRect(0, 0, DrawingWidth, DrawingHeight));
    painter.fillRect(QRect(0, 0, DrawingWidth, DrawingHeight), DrawingSurface::backColour());
    PainterCanvas canvas(painter, DrawingWidth, DrawingHeight, true);
    if (withBackground)
        paintGradient(canvas);
    drawSetup(canvas, values);
    painter.restore();
}

ExportResult exportDrawing(const SetupValues& values, bool withBackground, const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix != QLatin1String("png"))
        return ExportResult::UnknownFormat;
    DrawingSurface surface;
    if (withBackground)
        surface.paintBackground();
    surface.drawSetup(values);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !surface.image().save(&file, "PNG") || !file.commit())
        return ExportResult::WriteFailed;
    return ExportResult::Written;
}

} // namespace alambix
