#include "windows/print/confimp_dialog.h"

#include "assets/assets.h"
#include "core/recognition.h"
#include "drawing/fonts.h"
#include "drawing/picture.h"
#include "session/setupdocument.h"
#include "windows/common/twips.h"
#include "windows/files/chargemontage.h"
#include "windows/print/fichetravail_window.h"
#include "windows/print/printtarget.h"
#include "windows/print/updown_control.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace alambix {

namespace {
const QColor face(192, 192, 192);
const QColor darkBlue(0, 0, 128);

bool hasPieces(const SetupDocument& document) {
    const SetupValues& values = document.model().values();
    return std::any_of(values.begin(), values.end(), [](bool on) { return on; });
}

QToolButton* pictureButton(const QString& caption, const QString& picture, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setText(caption);
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(28, 28));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}
} // namespace

Confimp::Confimp(SetupDocument& document, QWidget* main, QPrinter* printer)
    : QDialog(main), m_document(document), m_main(main),
      m_printer(printer ? printer : &programPrinter()) {
    loadAssets();
    setObjectName(QStringLiteral("confimp"));
    setWindowTitle(QStringLiteral("Imprimer"));
    setWindowIcon(QIcon());
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFont(windowFont(8.25));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, face);
    pal.setColor(QPalette::Button, face);
    setPalette(pal);
    setAutoFillBackground(true);
    setFixedSize(twips(5640), twips(3855));
    buildControls();
    onLoad();
}

Confimp::~Confimp() = default;

namespace {
enum class ControlKind { Label, ReadOnlyLine, Group, Check, UpDown, PictureButton, Button };

struct ControlInfo {
    const char* name;
    ControlKind kind;
    const char* parent; // the group the control stands in; none: the dialog itself
    int left;
    int top;
    int width;
    int height;
    double fontSize;   // in bold, at this size; 0: the dialog's font
    QColor textColour; // invalid: the parent's
    const char* caption;
    const char* picture;
    Qt::Alignment alignment;
};

const QColor black(Qt::black);

// The dialog's controls, in the order they stack.
const ControlInfo controls[] = {
    {"Label2",
     ControlKind::Label,
     nullptr,
     120,
     270,
     975,
     255,
     0,
     {},
     "Imprimante:",
     nullptr,
     Qt::AlignRight | Qt::AlignTop},
    {"defaut",
     ControlKind::ReadOnlyLine,
     nullptr,
     1200,
     240,
     2655,
     285,
     0,
     {},
     nullptr,
     nullptr,
     {}},
    // The caption is dark blue; the controls inside keep the usual text colour.
    {"Frame1",
     ControlKind::Group,
     nullptr,
     480,
     840,
     3255,
     2415,
     0,
     darkBlue,
     "Options",
     nullptr,
     {}},
    {"Chec_0",
     ControlKind::Check,
     "Frame1",
     360,
     360,
     2655,
     195,
     0,
     black,
     "Centrer l'image horizontalement",
     nullptr,
     {}},
    {"Chec_1",
     ControlKind::Check,
     "Frame1",
     360,
     720,
     2655,
     195,
     0,
     black,
     "Centrer l'image verticalement",
     nullptr,
     {}},
    {"Chec_2",
     ControlKind::Check,
     "Frame1",
     360,
     1080,
     2655,
     195,
     0,
     black,
     "Imprimer avec le fond",
     nullptr,
     {}},
    {"Chec_3",
     ControlKind::Check,
     "Frame1",
     840,
     960,
     2655,
     195,
     0,
     black,
     "Imprimer l'image en miniature",
     nullptr,
     {}},
    // The set-up's name as a title over the drawing.
    {"titre",
     ControlKind::Check,
     "Frame1",
     360,
     1440,
     2655,
     195,
     0,
     black,
     "Nom du montage en titre",
     nullptr,
     {}},
    {"Label3", ControlKind::Label, "Frame1", 240, 1920, 1695, 255, 0, black,
     "Nombre d'exemplaires:", nullptr, Qt::AlignRight | Qt::AlignVCenter},
    {"Label4", ControlKind::Label, "Frame1", 2040, 1920, 615, 255, 0, black, nullptr, nullptr,
     Qt::AlignCenter},
    {"UpDown1",
     ControlKind::UpDown,
     "Frame1",
     2640,
     1920,
     240,
     255,
     0,
     black,
     nullptr,
     nullptr,
     {}},
    {"Command2",
     ControlKind::PictureButton,
     nullptr,
     4320,
     120,
     1095,
     855,
     0,
     {},
     "&Imprimantes",
     ":/print/print-printers.svg",
     {}},
    {"Command3",
     ControlKind::PictureButton,
     nullptr,
     4320,
     1200,
     1095,
     855,
     0,
     {},
     "&Annuler",
     ":/print/print-cancel.svg",
     {}},
    {"Command1",
     ControlKind::PictureButton,
     nullptr,
     4320,
     2280,
     1095,
     855,
     0,
     {},
     "&OK",
     ":/print/print-ok.svg",
     {}},
    // The worksheet: the drawing labelled, its answer key, black and white.
    {"fiche",
     ControlKind::Button,
     nullptr,
     480,
     3375,
     3255,
     375,
     0,
     {},
     "&Fiche de travail…",
     nullptr,
     {}},
    // Shown while the pages go out.
    {"Frame2", ControlKind::Group, nullptr, 240, 1080, 5175, 855, 0, {}, nullptr, nullptr, {}},
    {"Image2",
     ControlKind::Label,
     "Frame2",
     240,
     240,
     480,
     480,
     0,
     {},
     nullptr,
     ":/print/print-wait.svg",
     {}},
    {"Label1",
     ControlKind::Label,
     "Frame2",
     840,
     360,
     4095,
     255,
     9.75,
     darkBlue,
     "Veuillez patienter quelques instants...",
     nullptr,
     {}},
};

QWidget* makeControl(const ControlInfo& info, QWidget* parent) {
    const QString caption = info.caption ? QString::fromUtf8(info.caption) : QString();
    const QRect geometry = twipsRect(info.left, info.top, info.width, info.height);
    QWidget* control = nullptr;
    switch (info.kind) {
    case ControlKind::Label: {
        auto* label = new QLabel(caption, parent);
        if (info.picture)
            label->setPixmap(QIcon(QString::fromLatin1(info.picture)).pixmap(geometry.size()));
        if (info.alignment) label->setAlignment(info.alignment);
        control = label;
        break;
    }
    case ControlKind::ReadOnlyLine: {
        auto* line = new QLineEdit(parent);
        line->setReadOnly(true);
        control = line;
        break;
    }
    case ControlKind::Group:
        control = new QGroupBox(caption, parent);
        break;
    case ControlKind::Check:
        control = new QCheckBox(caption, parent);
        break;
    case ControlKind::UpDown:
        control = new UpDownControl(parent);
        break;
    case ControlKind::PictureButton:
        control = pictureButton(caption, QString::fromLatin1(info.picture), parent);
        break;
    case ControlKind::Button:
        control = new QPushButton(caption, parent);
        break;
    }
    control->setObjectName(QString::fromLatin1(info.name));
    control->setGeometry(geometry);
    if (info.fontSize > 0) control->setFont(windowFont(info.fontSize, true));
    if (info.textColour.isValid()) {
        QPalette text = control->palette();
        text.setColor(QPalette::WindowText, info.textColour);
        control->setPalette(text);
    }
    return control;
}
} // namespace

void Confimp::buildControls() {
    for (const ControlInfo& info : controls)
        makeControl(info,
                    info.parent ? findChild<QWidget*>(QString::fromLatin1(info.parent)) : this);
    auto control = [this]<typename T>(const char* name, T*& member) {
        member = findChild<T*>(QString::fromLatin1(name));
    };
    control("defaut", m_defaut);
    control("Frame1", m_frame1);
    for (int i = 0; i < 4; ++i)
        m_chec[i] = findChild<QCheckBox*>(QStringLiteral("Chec_%1").arg(i));
    control("Label4", m_label4);
    control("UpDown1", m_upDown1);
    control("Command1", m_command1);
    control("Command2", m_command2);
    control("Command3", m_command3);
    control("Frame2", m_frame2);
    control("titre", m_titre);
    control("fiche", m_fiche);

    // The printer is changed with "&Imprimantes"; typing a name here would change nothing.
    findChild<QLabel*>(QStringLiteral("Label2"))->setBuddy(m_defaut);
    for (int i = 0; i < 3; ++i)
        m_chec[i]->setChecked(true);
    // The miniature print stays available to the program but is never offered to the user.
    m_chec[3]->hide();
    // A set-up without a name has no title to print.
    const bool named = !recogniseSetup(m_document.model().values()).isEmpty();
    m_titre->setEnabled(named);
    if (!named) m_titre->setToolTip(QStringLiteral("Ce montage n'a pas de nom."));
    // An empty drawing makes no worksheet.
    m_fiche->setEnabled(hasPieces(m_document));

    m_label4->setFrameShape(QFrame::Box);
    m_label4->setAutoFillBackground(true);
    QPalette white = m_label4->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_label4->setPalette(white);

    m_upDown1->setRange(MinimumCopies, MaximumCopies);
    m_upDown1->setValue(1);
    m_upDown1->setAccessibleName(QStringLiteral("Nombre d'exemplaires"));
    m_label4->setText(QString::number(m_upDown1->value()));
    connect(m_upDown1, &UpDownControl::valueChanged, this,
            [this](int value) { m_label4->setText(QString::number(value)); });

    connect(m_command2, &QToolButton::clicked, this, &Confimp::choosePrinter);
    connect(m_command3, &QToolButton::clicked, this, &QDialog::reject);
    connect(m_command1, &QToolButton::clicked, this, &Confimp::print);
    connect(m_fiche, &QPushButton::clicked, this, [this] {
        FicheTravail fiche(m_document, this, m_printer);
        fiche.exec();
        onLoad();
    });
    m_frame2->hide();

    setTabOrder(m_defaut, m_chec[0]);
    setTabOrder(m_chec[0], m_chec[1]);
    setTabOrder(m_chec[1], m_chec[2]);
    setTabOrder(m_chec[2], m_titre);
    setTabOrder(m_titre, m_upDown1);
    setTabOrder(m_upDown1, m_fiche);
    setTabOrder(m_fiche, m_command2);
    setTabOrder(m_command2, m_command3);
    setTabOrder(m_command3, m_command1);
}

QString Confimp::printerDescription(const QPrinter& printer) {
    // Without a printer "&OK" asks for a PDF file to print into.
    if (!canPrint(printer)) return QStringLiteral("Aucune imprimante : fichier PDF");
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return QStringLiteral("Fichier PDF : %1")
            .arg(QFileInfo(printer.outputFileName()).fileName());
    if (!printer.printerName().isEmpty()) return printer.printerName();
    return QPrinterInfo::defaultPrinterName();
}

void Confimp::onLoad() {
    // 20 pixels below the main window's top edge, centred across it.
    const QRect main = m_main->frameGeometry();
    const int outerWidth = isVisible() ? frameGeometry().width() : width();
    move(main.left() + (main.width() - outerWidth) / 2, main.top() + 20);
    m_defaut->setText(printerDescription(*m_printer));
    m_defaut->setCursorPosition(0);
}

void Confimp::choosePrinter() {
    QPrintDialog dialog(m_printer, this);
    dialog.setWindowTitle(QStringLiteral("Configuration de l'impression"));
    dialog.exec();
    onLoad();
}

void Confimp::keyPressEvent(QKeyEvent* event) {
    // Enter presses the button that has the focus, otherwise "&OK", the dialog's default.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* focused = qobject_cast<QToolButton*>(focusWidget());
        QToolButton* button = focused ? focused : m_command1;
        if (button->isEnabled()) button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

PrintOptions Confimp::options() const {
    PrintOptions options;
    options.centreHorizontally = m_chec[0]->isChecked();
    options.centreVertically = m_chec[1]->isChecked();
    options.withBackground = m_chec[2]->isChecked();
    options.miniature = m_chec[3]->isChecked();
    options.copies = m_upDown1->value();
    if (m_titre->isChecked()) options.title = recogniseSetup(m_document.model().values());
    return options;
}

void Confimp::print() {
    // No printer: the pages go to a PDF file the user names.
    if (!canPrint(*m_printer)) {
        if (!choosePdfFile(this, *m_printer,
                           pictureTitle(m_document.model().values()) + QStringLiteral(".pdf")))
            return;
        onLoad();
    }
    const PrintOptions chosen = options();
    // The screen shows what goes to paper while the job is prepared.
    std::optional<BareDrawing> bare;
    if (!chosen.withBackground) bare.emplace(m_document);

    m_command1->setEnabled(false);
    m_command2->setEnabled(false);
    m_command3->setEnabled(false);
    m_fiche->setEnabled(false);
    m_frame1->hide();
    m_frame2->show();
    m_frame2->raise();
    repaint();

    // The copies are the pages of this job; the platform dialog's own count would multiply them.
    m_printer->setCopyCount(1);
    if (m_printer->outputFormat() == QPrinter::PdfFormat && !m_printer->outputFileName().isEmpty())
        // A file is written as every file of the program is: the old one survives a failure.
        m_printResult = printDrawingToFile(m_printer->outputFileName(), m_printer->pageLayout(),
                                           m_printer->resolution(), m_printer->docName(),
                                           m_document.model().values(), chosen);
    else
        m_printResult = printDrawing(*m_printer, m_document.model().values(), chosen);

    bare.reset();
    if (*m_printResult == PrintResult::NotStarted) {
        // Nothing went out: the dialog stays, so that another printer can be chosen.
        m_frame2->hide();
        m_frame1->show();
        m_command1->setEnabled(true);
        m_command2->setEnabled(true);
        m_command3->setEnabled(true);
        m_fiche->setEnabled(hasPieces(m_document));
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Impression impossible"),
                        QStringLiteral("Aucune imprimante utilisable : le schéma n'a pas été "
                                       "imprimé.\nChoisir une imprimante avec « Imprimantes »."),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    if (*m_printResult == PrintResult::Interrupted) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Impression interrompue"),
                        QStringLiteral("L'impression s'est interrompue : toutes les pages n'ont "
                                       "peut-être pas été imprimées."),
                        QMessageBox::Ok, this);
        box.exec();
    }
    // A PDF file that could not be written (a full disk) is said, not passed over: the old file,
    // if any, is as it was.
    if (*m_printResult == PrintResult::WriteFailed) showFileMessage(this, FileOutcome::WriteError);
    // The result code tells the caller whether the pages went out.
    done(*m_printResult == PrintResult::Printed ? QDialog::Accepted : QDialog::Rejected);
}

} // namespace alambix
