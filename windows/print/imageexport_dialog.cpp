#include "windows/print/imageexport_dialog.h"

#include "drawing/drawingexport.h"
#include "windows/files/chargemontage.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>

namespace alambix {

namespace {

struct ImageType {
    const char* filter;
    const char* suffix;
};

constexpr ImageType imageTypes[] = {
    {"Image PNG (*.png)", "png"},
    {"Image SVG (*.svg)", "svg"},
    {"Document PDF (*.pdf)", "pdf"},
};

} // namespace

QString enregistrerImage(QWidget* parent, const PictureOptions& options, const QString& folder,
                         bool offerLabels) {
    QFileDialog dialog(parent, QStringLiteral("Enregistrer l'image"));
    dialog.setObjectName(QStringLiteral("enregistrerimage"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    QStringList filters;
    for (const ImageType& type : imageTypes)
        filters << QString::fromUtf8(type.filter);
    dialog.setNameFilters(filters);
    dialog.setDirectory(QFileInfo(folder).isDir() ? folder : QDir::homePath());
    // A name typed without a suffix takes the chosen filter's; the dialog then asks before
    // replacing the file it really names.
    dialog.setDefaultSuffix(QLatin1String(imageTypes[0].suffix));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, filters](const QString& filter) {
                         const qsizetype index = filters.indexOf(filter);
                         if (index >= 0)
                             dialog.setDefaultSuffix(QLatin1String(imageTypes[index].suffix));
                     });
    dialog.selectFile(QStringLiteral("schema.png"));
    QCheckBox* labelled = nullptr;
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()); grid && offerLabels) {
        // Under the file type, across the dialog.
        labelled = new QCheckBox(QStringLiteral("&Légender le schéma (noms des pièces)"), &dialog);
        labelled->setObjectName(QStringLiteral("legender"));
        grid->addWidget(labelled, grid->rowCount(), 0, 1, grid->columnCount());
    }

    while (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        const QString path = dialog.selectedFiles().constFirst();
        PictureOptions picture = options;
        if (labelled && labelled->isChecked()) picture.labels = LabelMode::Names;
        switch (exportPicture(picture, path)) {
        case ExportResult::Written:
            return path;
        case ExportResult::UnknownFormat:
            QMessageBox::warning(
                parent, QStringLiteral("Enregistrer l'image"),
                QStringLiteral("Alambix enregistre l'image en PNG, SVG ou PDF : "
                               "donnez au fichier le suffixe .png, .svg ou .pdf."));
            break;
        case ExportResult::WriteFailed:
            showFileMessage(parent, FileOutcome::WriteError);
            break;
        }
        // Back to the dialog, on the name given, to choose another.
        dialog.selectFile(QFileInfo(path).fileName());
    }
    return QString();
}

} // namespace alambix
