#include "windows/common/buttonfacestyle.h"

#include <QApplication>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleFactory>
#include <QStyleOption>

namespace alambix {

namespace {

// The colours of the group the face is drawn in, or an empty key when a brush is not a plain
// colour (a gradient or texture is left to Fusion).
QString paletteKey(const QPalette& palette) {
    QString key;
    key.reserve(QPalette::NColorRoles * 9);
    for (int role = 0; role < QPalette::NColorRoles; ++role) {
        const QBrush& brush = palette.brush(static_cast<QPalette::ColorRole>(role));
        if (brush.style() != Qt::SolidPattern && brush.style() != Qt::NoBrush) return QString();
        key += QString::number(brush.color().rgba64(), 16) + QLatin1Char('.');
    }
    return key;
}

} // namespace

ButtonFaceStyle::ButtonFaceStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void ButtonFaceStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                    QPainter* painter, const QWidget* widget) const {
    // A tool button's face comes as a plain option, a push button's with its features.
    const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
    const bool plain = option && option->type == QStyleOption::SO_Default;
    const QString colours = element == PE_PanelButtonCommand && (plain || button) &&
                                    !option->rect.isEmpty() &&
                                    painter->deviceTransform().type() <= QTransform::TxTranslate
                                ? paletteKey(option->palette)
                                : QString();
    if (colours.isEmpty()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal ratio = qApp->devicePixelRatio();
    const QSize size = option->rect.size();
    const QString key = QStringLiteral("alambix-buttonface-%1-%2-%3-%4x%5@%6-%7-%8")
                            .arg(uint(option->state), 0, 16)
                            .arg(int(option->direction))
                            .arg(button ? uint(button->features) + 1 : 0u, 0, 16)
                            .arg(size.width())
                            .arg(size.height())
                            .arg(ratio)
                            .arg(int(option->palette.currentColorGroup()))
                            .arg(colours);
    QPixmap face;
    if (!QPixmapCache::find(key, &face)) {
        QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(0);
        QPainter onImage(&image);
        if (button) {
            QStyleOptionButton at(*button);
            at.rect = QRect(QPoint(0, 0), size);
            QProxyStyle::drawPrimitive(element, &at, &onImage, widget);
        } else {
            QStyleOption at(*option);
            at.rect = QRect(QPoint(0, 0), size);
            QProxyStyle::drawPrimitive(element, &at, &onImage, widget);
        }
        onImage.end();
        face = QPixmap::fromImage(image);
        QPixmapCache::insert(key, face);
    }
    painter->drawPixmap(option->rect.topLeft(), face);
}

} // namespace alambix
