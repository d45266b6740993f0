#pragma once
// Reading back what went to a PDF "printer": its pages, and a page rendered at 96 dpi where the
// drawing is found by the colours of its gradient.

#include "support/processes.h"

#include <QFile>
#include <QImage>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>

namespace printtest {

// Page objects of the file; "/Type /Pages" is the page tree, not a page.
inline int countPdfPages(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString text = QString::fromLatin1(file.readAll());
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"));
    return static_cast<int>(text.count(page));
}

inline bool canRender() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty();
}

// Page `page` (from 1) at 96 dots per inch, one screen pixel per drawing pixel.
inline QImage renderPage(const QString& pdf, int page, const QString& prefix) {
    const QString number = QString::number(page);
    if (run(QStringLiteral("pdftoppm"),
            {"-r", "96", "-png", "-f", number, "-l", number, "-singlefile", pdf, prefix})
            .exitCode != 0)
        return QImage();
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The text of page `page` (from 1), as pdftotext (poppler-utils) reads it; null when it cannot.
inline QString pageText(const QString& pdf, int page) {
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                   QString::number(page), pdf, QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0) return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Colours of the upper part of the gradient, from RGB(255, 200, 155) at the top down to where
// the blue reaches 200; a pixel half blended with the white page is already lighter than that.
inline bool isGradient(QRgb pixel) {
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    if (r < 245 || b < 150 || b > 200) return false;
    const double expectedGreen = 200 + (b - 155) * 0.55;
    return std::abs(g - expectedGreen) <= 6;
}

// Bounding box of the gradient's upper part: left, right and top edges of the drawing.
inline QRect gradientBox(const QImage& image) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isGradient(image.pixel(x, y))) box = box.united(QRect(x, y, 1, 1));
    return box;
}

// Dark outlines of the apparatus.
inline int darkPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100) ++count;
    return count;
}

} // namespace printtest
