#include "exercises/documentexport.h"

#include "exercises/rtfwriter.h"

#include <QFileInfo>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
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

bool writeFileSafely(const QString& path, const std::function<bool(QIODevice&)>& produce) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!produce(file) || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool exportDocument(const QTextDocument& document, const QString& path, DocumentFormat format) {
    return writeFileSafely(path, [&](QIODevice& device) {
        switch (format) {
        case DocumentFormat::Rtf:
            return writeRtf(document, device);
        case DocumentFormat::Html: {
            const QByteArray html = document.toHtml().toUtf8();
            return device.write(html) == html.size();
        }
        case DocumentFormat::Text: {
            const QByteArray text = (document.toPlainText() + QLatin1Char('\n')).toUtf8();
            return device.write(text) == text.size();
        }
        case DocumentFormat::Odt: {
            QTextDocumentWriter writer(&device, "odf");
            return writer.write(&document);
        }
        case DocumentFormat::Pdf: {
            QPdfWriter pdf(&device);
            pdf.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                          QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
            pdf.setResolution(300);
            pdf.setCreator(QStringLiteral("Alambix"));
            document.print(&pdf);
            return true; // write failures show in the file's error state
        }
        }
        return false;
    });
}

} // namespace alambix
