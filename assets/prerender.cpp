// Build tool: renders pictures from their vector sources, as renderPicture() does on the screen,
// and writes their premultiplied RGBA bytes, for the program to show without the renderer.
// Usage: alambix-prerender SOURCE_DIR OUTPUT_DIR PATH:WIDTHxHEIGHT:RATIO[,RATIO...]...
// writes OUTPUT_DIR/PATH@WIDTHxHEIGHT@RATIO for each ratio.
#include "assets/vectorpicture.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

using alambix::vectorPicture;

namespace {
bool render(const QString& source, const QString& output, QSize size, int ratio) {
    const QImage image = vectorPicture(source, size, ratio);
    if (image.isNull()) return false;
    // Byte order independent of the machine: R, G, B, A.
    const QImage bytes = image.convertToFormat(QImage::Format_RGBA8888_Premultiplied);
    QDir().mkpath(QFileInfo(output).path());
    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly)) return false;
    for (int y = 0; y < bytes.height(); ++y)
        file.write(reinterpret_cast<const char*>(bytes.constScanLine(y)), bytes.width() * 4);
    return file.commit();
}
} // namespace

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: alambix-prerender SOURCE_DIR OUTPUT_DIR "
                             "PATH:WIDTHxHEIGHT:RATIO[,RATIO...]...\n");
        return 2;
    }
    const QDir sources(QString::fromLocal8Bit(argv[1]));
    const QDir outputs(QString::fromLocal8Bit(argv[2]));
    for (int i = 3; i < argc; ++i) {
        const QString entry = QString::fromLocal8Bit(argv[i]);
        const QStringList parts = entry.split(QLatin1Char(':'));
        const QStringList size = parts.value(1).split(QLatin1Char('x'));
        const QSize logical(size.value(0).toInt(), size.value(1).toInt());
        const QStringList ratios = parts.value(2).split(QLatin1Char(','));
        if (parts.size() != 3 || logical.isEmpty() || logical.width() > 1024 ||
            logical.height() > 1024) {
            std::fprintf(stderr, "alambix-prerender: bad entry %s\n", argv[i]);
            return 2;
        }
        for (const QString& ratio : ratios) {
            const int factor = ratio.toInt();
            const QString output = outputs.filePath(QStringLiteral("%1@%2x%3@%4")
                                                        .arg(parts[0])
                                                        .arg(logical.width())
                                                        .arg(logical.height())
                                                        .arg(factor));
            if (factor < 1 || factor > 4 ||
                !render(sources.filePath(parts[0]), output, logical, factor)) {
                std::fprintf(stderr, "alambix-prerender: cannot render %s\n", argv[i]);
                return 1;
            }
        }
    }
    return 0;
}
