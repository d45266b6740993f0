#pragma once

#include <QProxyStyle>

namespace alambix {

// The program's style: Fusion, with the faces of tool buttons drawn once per look. Fusion keeps
// the faces it draws, but under a key made of each widget's own palette, so the nine buttons of
// the command bar, which all look alike, each had theirs drawn anew. This style keys the face on
// what it is drawn from (state, size, pixel ratio and the palette's colours), and asks Fusion for
// it on a miss: the pixels are Fusion's own.
class ButtonFaceStyle : public QProxyStyle {
public:
    ButtonFaceStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
};

} // namespace alambix
