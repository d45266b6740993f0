#pragma once
// The program's pictures live in a static library: whoever uses them registers them first, or
// the linker would drop them.

#include <QPixmap>
#include <QSize>
#include <QString>

namespace alambix {

// Registers the resources of assets.qrc; cheap after the first call.
void loadAssets();

// One of our pictures, rendered from its vector source (`resource`, e.g. ":/icons/aide.svg") at
// the size it is shown, at the device pixel ratio `ratio`: by default the sharpest screen's.
QPixmap renderPicture(const QString& resource, QSize size, qreal ratio = 0);

} // namespace alambix
