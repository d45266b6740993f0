#include "windows/print/printtarget.h"

#include <QDir>
#include <QFileDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>

namespace alambix {

QPrinter& programPrinter() {
    // Never freed on purpose: it lives as long as the program.
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
}

bool canPrint(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) return !printer.outputFileName().isEmpty();
    return !printer.printerName().isEmpty() || !QPrinterInfo::defaultPrinterName().isEmpty();
}

bool choosePdfFile(QWidget* parent, QPrinter& printer, const QString& suggestedName) {
    QFileDialog dialog(parent, QStringLiteral("Imprimer dans un fichier PDF"));
    dialog.setObjectName(QStringLiteral("fichierpdf"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Document PDF (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    const QString last = printer.outputFileName();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dialog.setDirectory(!last.isEmpty()                ? QFileInfo(last).absolutePath()
                        : QFileInfo(documents).isDir() ? documents
                                                       : QDir::homePath());
    dialog.selectFile(suggestedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dialog.selectedFiles().constFirst());
    return true;
}

} // namespace alambix
