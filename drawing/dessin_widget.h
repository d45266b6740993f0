#pragma once
// The drawing surface `dessin` on the main window: shows the persistent image.

#include "drawing/drawingsurface.h"

#include <QWidget>

namespace alambix {

class DessinWidget : public QWidget {
    Q_OBJECT
public:
    explicit DessinWidget(QWidget* parent = nullptr);

    DrawingSurface& surface() { return m_surface; }
    const DrawingSurface& surface() const { return m_surface; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DrawingSurface m_surface;
};

} // namespace alambix
