#include "drawing/drawingexport.h"

#include "drawing/drawingsurface.h"

#include <QFileInfo>
#include <QSaveFile>

namespace alambix {

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
