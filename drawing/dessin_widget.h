#pragma once
// The drawing `dessin` on the main window: shows a surface's persistent image, which the set-up
// document owns.

#include "drawing/drawingsurface.h"

#include <QWidget>

namespace alambix {

class DessinWidget : public QWidget {
    Q_OBJECT
public:
    explicit DessinWidget(const DrawingSurface& surface, QWidget* parent = nullptr);

    const DrawingSurface& surface() const { return m_surface; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const DrawingSurface& m_surface;
};

} // namespace alambix
