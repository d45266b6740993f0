#include "windows/print/fichetravail_window.h"

#include "core/recognition.h"
#include "drawing/fonts.h"
#include "session/setupdocument.h"
#include "windows/files/chargemontage.h"
#include "windows/print/clipboardexport.h"
#include "windows/print/imageexport_dialog.h"
#include "windows/print/printtarget.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace alambix {

namespace {
// The pages side by side, each a sheet of paper with the printer's margins, drawn by the same
// code as the print.
class SheetPreview final : public QWidget {
public:
    SheetPreview(const FicheTravail& fiche, const SetupValues& values, const QPrinter& printer,
                 QWidget* parent)
        : QWidget(parent), m_fiche(fiche), m_values(values), m_printer(printer) {
        setObjectName(QStringLiteral("apercu"));
        setMinimumSize(360, 300);
        setAccessibleName(QStringLiteral("Aperçu de la fiche"));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), QColor(128, 128, 128));
        const WorksheetOptions options = m_fiche.options();
        const int pages = worksheetPageCount(options);
        // The page layout in drawing pixels (1/96 inch).
        const QPageLayout layout = m_printer.pageLayout();
        const QRectF paper(QPointF(0, 0), layout.fullRectPoints().size() * 96.0 / 72.0);
        const QRectF points =
            QRectF(layout.paintRectPoints()).translated(-layout.fullRectPoints().topLeft());
        const QRectF area(points.topLeft() * 96.0 / 72.0, points.size() * 96.0 / 72.0);
        constexpr double gap = 12;
        const double scale = std::min((width() - gap * (pages + 1)) / (pages * paper.width()),
                                      (height() - 2 * gap) / paper.height());
        const double pageWidth = paper.width() * scale;
        const double left = (width() - pages * pageWidth - (pages - 1) * gap) / 2;
        const double top = (height() - paper.height() * scale) / 2;
        for (int page = 0; page < pages; ++page) {
            painter.save();
            painter.translate(left + page * (pageWidth + gap), top);
            painter.scale(scale, scale);
            painter.fillRect(paper.translated(3 / scale, 3 / scale), QColor(64, 64, 64));
            painter.fillRect(paper, Qt::white);
            painter.translate(area.topLeft());
            paintWorksheetPage(painter, area.size(), m_values, options, page);
            painter.restore();
        }
    }

private:
    const FicheTravail& m_fiche;
    const SetupValues& m_values;
    const QPrinter& m_printer;
};

QRadioButton* radio(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QCheckBox* check(const QString& caption, const char* name, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QPushButton* button(const QString& caption, const char* name, QWidget* parent) {
    auto* push = new QPushButton(caption, parent);
    push->setObjectName(QString::fromLatin1(name));
    push->setAutoDefault(false);
    return push;
}
} // namespace

FicheTravail::FicheTravail(const SetupDocument& document, QWidget* parent, QPrinter* printer)
    : QDialog(parent), m_values(document.model().values()),
      m_folder(document.path().isEmpty() ? QString() : QFileInfo(document.path()).absolutePath()),
      m_printer(printer ? printer : &programPrinter()) {
    setObjectName(QStringLiteral("fichetravail"));
    setWindowTitle(QStringLiteral("Fiche de travail"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFont(windowFont(8.25));
    buildControls();
    resize(780, 540);
}

FicheTravail::~FicheTravail() = default;

void FicheTravail::buildControls() {
    m_preview = new SheetPreview(*this, m_values, *m_printer, this);

    auto* titleBox = new QGroupBox(QStringLiteral("Titre"), this);
    m_titre = check(QStringLiteral("&Titre au-dessus du schéma :"), "titre", titleBox);
    m_texteTitre = new QLineEdit(titleBox);
    m_texteTitre->setObjectName(QStringLiteral("textetitre"));
    m_texteTitre->setAccessibleName(QStringLiteral("Titre"));
    const QString name = recogniseSetup(m_values);
    m_texteTitre->setText(name);
    m_titre->setChecked(!name.isEmpty());
    m_texteTitre->setEnabled(!name.isEmpty());
    auto* titleLayout = new QVBoxLayout(titleBox);
    titleLayout->addWidget(m_titre);
    titleLayout->addWidget(m_texteTitre);

    auto* labelBox = new QGroupBox(QStringLiteral("Légendes"), this);
    m_sansLegende = radio(QStringLiteral("&Sans légende"), "sanslegende", labelBox);
    m_noms = radio(QStringLiteral("&Noms des pièces"), "noms", labelBox);
    m_numeros = radio(QStringLiteral("N&uméros à compléter"), "numeros", labelBox);
    m_corrige = check(QStringLiteral("C&orrigé sur une seconde page"), "corrige", labelBox);
    m_numeros->setChecked(true);
    m_corrige->setChecked(true);
    auto* labelLayout = new QVBoxLayout(labelBox);
    labelLayout->addWidget(m_sansLegende);
    labelLayout->addWidget(m_noms);
    labelLayout->addWidget(m_numeros);
    auto* answerRow = new QHBoxLayout;
    answerRow->addSpacing(18);
    answerRow->addWidget(m_corrige);
    labelLayout->addLayout(answerRow);

    m_noirBlanc = check(QStringLiteral("Noir et &blanc (photocopie)"), "noirblanc", this);
    m_noirBlanc->setChecked(true);

    m_statut = new QLabel(this);
    m_statut->setObjectName(QStringLiteral("statut"));
    m_statut->setWordWrap(true);
    auto* imprimer = button(QStringLiteral("&Imprimer…"), "imprimer", this);
    auto* copier = button(QStringLiteral("&Copier"), "copier", this);
    auto* enregistrer = button(QStringLiteral("&Enregistrer l'image…"), "enregistrer", this);
    auto* fermer = button(QStringLiteral("&Fermer"), "fermer", this);

    auto* panel = new QVBoxLayout;
    panel->addWidget(titleBox);
    panel->addWidget(labelBox);
    panel->addWidget(m_noirBlanc);
    panel->addStretch(1);
    panel->addWidget(m_statut);
    panel->addWidget(imprimer);
    panel->addWidget(copier);
    panel->addWidget(enregistrer);
    panel->addSpacing(8);
    panel->addWidget(fermer);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_preview, 1);
    layout->addLayout(panel);

    auto refresh = [this] { showSheet(); };
    connect(m_titre, &QCheckBox::toggled, this, refresh);
    connect(m_texteTitre, &QLineEdit::textChanged, this, refresh);
    for (QAbstractButton* choice :
         {static_cast<QAbstractButton*>(m_sansLegende), static_cast<QAbstractButton*>(m_noms),
          static_cast<QAbstractButton*>(m_numeros), static_cast<QAbstractButton*>(m_corrige),
          static_cast<QAbstractButton*>(m_noirBlanc)})
        connect(choice, &QAbstractButton::toggled, this, refresh);
    connect(imprimer, &QPushButton::clicked, this, &FicheTravail::print);
    connect(copier, &QPushButton::clicked, this, &FicheTravail::copy);
    connect(enregistrer, &QPushButton::clicked, this, &FicheTravail::saveImage);
    connect(fermer, &QPushButton::clicked, this, &QDialog::accept);
    showSheet();
}

void FicheTravail::showSheet() {
    m_texteTitre->setEnabled(m_titre->isChecked());
    // The answer key gives the names of a numbered sheet.
    m_corrige->setEnabled(m_numeros->isChecked());
    m_statut->clear();
    m_preview->update();
}

WorksheetOptions FicheTravail::options() const {
    WorksheetOptions options;
    if (m_titre->isChecked()) options.title = m_texteTitre->text().trimmed();
    options.labels = m_numeros->isChecked() ? LabelMode::Numbers
                     : m_noms->isChecked()  ? LabelMode::Names
                                            : LabelMode::None;
    options.blackWhite = m_noirBlanc->isChecked();
    options.answerKey = m_corrige->isChecked();
    return options;
}

PictureOptions FicheTravail::picture() const {
    const WorksheetOptions sheet = options();
    return PictureOptions{m_values, false, sheet.blackWhite, sheet.labels};
}

int FicheTravail::previewPages() const {
    return worksheetPageCount(options());
}

void FicheTravail::print() {
    QPrinter& printer = *m_printer;
    if (!canPrint(printer)) {
        // No printer on this desktop: straight to a PDF file.
        if (!choosePdfFile(this, printer,
                           QStringLiteral("Fiche - %1.pdf").arg(pictureTitle(m_values))))
            return;
    } else {
        QPrintDialog dialog(&printer, this);
        dialog.setWindowTitle(QStringLiteral("Imprimer la fiche de travail"));
        if (dialog.exec() != QDialog::Accepted) return;
    }
    const WorksheetOptions sheet = options();
    const bool toFile =
        printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    m_printResult = toFile
                        ? printWorksheetToFile(printer.outputFileName(), printer.pageLayout(),
                                               printer.resolution(),
                                               QStringLiteral("Fiche de travail"), m_values, sheet)
                        : printWorksheet(printer, m_values, sheet);
    switch (*m_printResult) {
    case PrintResult::Printed:
        m_statut->setText(toFile ? QStringLiteral("La fiche est enregistrée dans « %1 ».")
                                       .arg(QFileInfo(printer.outputFileName()).fileName())
                                 : QStringLiteral("La fiche est imprimée."));
        break;
    case PrintResult::NotStarted:
        QMessageBox::critical(this, QStringLiteral("Impression impossible"),
                              QStringLiteral("Aucune imprimante utilisable : la fiche n'a pas "
                                             "été imprimée."));
        break;
    case PrintResult::Interrupted:
        QMessageBox::critical(this, QStringLiteral("Impression interrompue"),
                              QStringLiteral("L'impression s'est interrompue : toutes les pages "
                                             "n'ont peut-être pas été imprimées."));
        break;
    case PrintResult::WriteFailed:
        showFileMessage(this, FileOutcome::WriteError);
        break;
    }
}

void FicheTravail::copy() {
    copyPicture(picture());
    m_statut->setText(messagecopie());
}

void FicheTravail::saveImage() {
    const QString written = enregistrerImage(this, picture(), m_folder);
    if (!written.isEmpty())
        m_statut->setText(QStringLiteral("L'image est enregistrée dans « %1 ».")
                              .arg(QFileInfo(written).fileName()));
}

} // namespace alambix
