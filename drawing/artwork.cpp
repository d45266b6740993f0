#include "drawing/artwork.h"

#include "assets/assets.h"

#include <QHash>
#include <QPainter>
#include <QSvgRenderer>

#include <array>

namespace alambix {

namespace {
struct ArtworkInfo {
    const char* resource;
    int width;
    int height;
};

constexpr std::array<ArtworkInfo, ArtworkCount> artworks{{
    {":/artwork/stemmed-glass.svg", 100, 110},
    {":/artwork/beaker.svg", 100, 110},
    {":/artwork/erlenmeyer.svg", 100, 110},
    {":/artwork/filter-funnel.svg", 100, 167},
    {":/artwork/vacuum-flask.svg", 79, 139},
    {":/artwork/flask-with-mantle.svg", 112, 137},
    {":/artwork/separating-funnel.svg", 49, 192},
    {":/artwork/buchner.svg", 79, 74},
    {":/artwork/bulb-condenser.svg", 33, 223},
    {":/artwork/vigreux-column.svg", 33, 223},
    {":/artwork/straight-condenser.svg", 155, 66},
    {":/artwork/thermometer.svg", 13, 109},
    {":/artwork/tap.svg", 32, 32},
}};

const ArtworkInfo& info(ArtworkId id) {
    return artworks.at(static_cast<std::size_t>(id));
}

QSvgRenderer& renderer(ArtworkId id) {
    static std::array<QSvgRenderer*, ArtworkCount> renderers{};
    auto& slot = renderers.at(static_cast<std::size_t>(id));
    if (!slot) {
        loadAssets();
        slot = new QSvgRenderer(QString::fromLatin1(info(id).resource));
    }
    return *slot;
}
} // namespace

QSize artworkSize(ArtworkId id) {
    return QSize(info(id).width, info(id).height);
}

QImage artworkImage(ArtworkId id) {
    static std::array<QImage, ArtworkCount> cache;
    QImage& image = cache.at(static_cast<std::size_t>(id));
    if (image.isNull()) {
        image = QImage(artworkSize(id), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer(id).render(&painter, QRectF(QPointF(0, 0), artworkSize(id)));
    }
    return image;
}

void drawArtwork(QPainter& painter, ArtworkId id, QPointF topLeft, bool asVector) {
    if (asVector) {
        const bool antialiased = painter.testRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer(id).render(&painter, QRectF(topLeft, artworkSize(id)));
        painter.setRenderHint(QPainter::Antialiasing, antialiased);
    } else {
        painter.drawImage(topLeft, artworkImage(id));
    }
}

} // namespace alambix
