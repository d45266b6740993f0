#include "richtext/documentexport.h"

#include "core/safewrite.h"
#include "richtext/rtfwriter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QTextDocumentWriter>

namespace alambix {

std::optional<DocumentFormat> documentFormatForPath(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("rtf")) return DocumentFormat::Rtf;
    if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        return DocumentFormat::Html;
    if (suffix == QLatin1String("odt")) return DocumentFormat::Odt;
    if (suffix == QLatin1String("txt")) return DocumentFormat::Text;
    if (suffix == QLatin1String("pdf")) return DocumentFormat::Pdf;
    return std::nullopt;
}

namespace {
// The file's bytes; writers that may close their device write to memory first.
std::optional<QByteArray> encode(const QTextDocument& document, DocumentFormat format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    switch (format) {
    case DocumentFormat::Rtf:
        if (!writeRtf(document, buffer)) return std::nullopt;
        return bytes;
    case DocumentFormat::Html:
        return document.toHtml().toUtf8();
    case DocumentFormat::Text:
        return (document.toPlainText() + QLatin1Char('\n')).toUtf8();
    case DocumentFormat::Odt: {
        QTextDocumentWriter writer(&buffer, "odf");
        if (!writer.write(&document)) return std::nullopt;
        return bytes;
    }
    case DocumentFormat::Pdf: {
        QPdfWriter pdf(&buffer);
        pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
        pdf.setResolution(300);
        pdf.setCreator(QStringLiteral("Alambix"));
        document.print(&pdf);
        return bytes;
    }
    }
    return std::nullopt;
}
} // namespace

bool exportDocument(const QTextDocument& document, const QString& path, DocumentFormat format) {
    const std::optional<QByteArray> bytes = encode(document, format);
    return bytes && writeFileSafely(path, *bytes) == WriteOutcome::Written;
}

} // namespace alambix
