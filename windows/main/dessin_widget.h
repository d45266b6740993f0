#pragma once
// The drawing `dessin` on the main window: shows a surface's persistent image, which the set-up
// document owns, at the resolution of the screen it stands on and at the window's zoom.

#include "drawing/drawingsurface.h"

#include <QWidget>

namespace alambix {

class DessinWidget : public QWidget {
    Q_OBJECT
public:
    explicit DessinWidget(DrawingSurface& surface, QWidget* parent = nullptr);

    const DrawingSurface& surface() const { return m_surface; }

    // Shows the drawing `zoom` times its size, drawn again at that size; 1 at start.
    void setZoom(qreal zoom);
    qreal zoom() const { return m_zoom; }
    // The widget's size at `zoom`.
    static QSize sizeAt(qreal zoom);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DrawingSurface& m_surface;
    qreal m_zoom = 1;
};

} // namespace alambix
