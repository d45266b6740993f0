// Renders the scalable program icon to a square PNG of a given size, for the icon theme.
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: alambix-render-icon ICON.svg SIZE OUT.png\n");
        return 2;
    }
    QSvgRenderer renderer{QString::fromLocal8Bit(argv[1])};
    const int size = QByteArray(argv[2]).toInt();
    if (!renderer.isValid() || size <= 0 || size > 1024) {
        std::fprintf(stderr, "alambix-render-icon: cannot render %s at %s\n", argv[1], argv[2]);
        return 1;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    return image.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
