// Renders the scalable program icon to a square PNG of a given size, for the icon theme.
#include "assets/vectorpicture.h"

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: alambix-render-icon ICON.svg SIZE OUT.png\n");
        return 2;
    }
    const int size = QByteArray(argv[2]).toInt();
    const QImage image =
        size > 0 && size <= 1024
            ? alambix::vectorPicture(QString::fromLocal8Bit(argv[1]), QSize(size, size), 1)
            : QImage();
    if (image.isNull()) {
        std::fprintf(stderr, "alambix-render-icon: cannot render %s at %s\n", argv[1], argv[2]);
        return 1;
    }
    return image.save(QString::fromLocal8Bit(argv[3]), "PNG") ? 0 : 1;
}
