// Reads arbitrary bytes as a rich-text document, writes it back and reads that again: the two
// documents read must hold the same text in the same formats.
#include "richtext/rtfreader.h"
#include "richtext/rtfwriter.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
QString signature(const QTextDocument& document) {
    QString out;
    QString last;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            const QString tag =
                QStringLiteral("%1%2%3%4%5/%6/%7")
                    .arg(f.fontWeight() >= QFont::DemiBold)
                    .arg(f.fontItalic())
                    .arg(f.fontUnderline())
                    .arg(f.fontStrikeOut())
                    .arg(int(f.verticalAlignment()))
                    .arg(f.fontPointSize())
                    .arg(f.foreground().style() == Qt::NoBrush ? 0u : f.foreground().color().rgb());
            if (tag != last) out += QChar(1) + tag + QChar(2);
            last = tag;
            out += it.fragment().text();
        }
        out += QChar(u'\n');
    }
    return out;
}

bool read(const QByteArray& bytes, QTextDocument& document) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return alambix::readRtf(buffer, document) == alambix::RtfReadError::None;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Damaged pictures make the image decoders talk; that costs more than the reading.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QTextDocument first;
    if (!read(bytes, first)) return 0;
    QByteArray written;
    QBuffer out(&written);
    out.open(QIODevice::WriteOnly);
    if (!alambix::writeRtf(first, out)) std::abort();
    QTextDocument second;
    if (!read(written, second)) std::abort();
    const QString a = signature(first), b = signature(second);
    if (a != b) {
        std::fprintf(stderr, "first:  %s\nsecond: %s\n", qPrintable(a.toHtmlEscaped()),
                     qPrintable(b.toHtmlEscaped()));
        std::abort();
    }
    return 0;
}
