#pragma once
// The drawing `dessin` on the main window: shows a surface's persistent image, which the set-up
// document owns, at the resolution of the screen it stands on.

#include "drawing/drawingsurface.h"

#include <QWidget>

namespace alambix {

class DessinWidget : public QWidget {
    Q_OBJECT
public:
    explicit DessinWidget(DrawingSurface& surface, QWidget* parent = nullptr);

    const DrawingSurface& surface() const { return m_surface; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DrawingSurface& m_surface;
};

} // namespace alambix
