#include "print/confimp_dialog.h"

#include "app/setupdocument.h"
#include "app/twips.h"
#include "app/windowfont.h"
#include "assets/assets.h"
#include "print/updown_control.h"

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
#include <QToolButton>

namespace alambix {

namespace {
const QColor face(192, 192, 192);
const QColor darkBlue(0, 0, 128);

// The printer the program prints on when none is given: chosen once, kept for the session, as
// the choice made with "&Imprimantes" must hold for later prints. Never freed on purpose: it
// lives as long as the program.
QPrinter& sessionPrinter() {
    static QPrinter* printer = new QPrinter(QPrinter::HighResolution);
    return *printer;
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
      m_printer(printer ? printer : &sessionPrinter()) {
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
    setFixedSize(twips(5640), twips(3315));
    buildControls();
    onLoad();
}

Confimp::~Confimp() = default;

void Confimp::buildControls() {
    auto* label2 = new QLabel(QStringLiteral("Imprimante:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setGeometry(twipsRect(120, 270, 975, 255));
    label2->setAlignment(Qt::AlignRight | Qt::AlignTop);

    m_defaut = new QLineEdit(this);
    m_defaut->setObjectName(QStringLiteral("defaut"));
    m_defaut->setGeometry(twipsRect(1200, 240, 2655, 285));
    // The printer is changed with "&Imprimantes"; typing a name here would change nothing.
    m_defaut->setReadOnly(true);
    label2->setBuddy(m_defaut);

    m_frame1 = new QGroupBox(QStringLiteral("Options"), this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setGeometry(twipsRect(480, 840, 3255, 2055));
    // The caption is dark blue; the controls inside keep the usual text colour.
    QPalette caption = m_frame1->palette();
    caption.setColor(QPalette::WindowText, darkBlue);
    m_frame1->setPalette(caption);
    QPalette inside = palette();
    inside.setColor(QPalette::WindowText, Qt::black);

    struct CheckInfo {
        const char* caption;
        int left;
        int top;
        bool checked;
    };
    static const CheckInfo checks[4] = {
        {"Centrer l'image horizontalement", 360, 360, true},
        {"Centrer l'image verticalement", 360, 720, true},
        {"Imprimer avec le fond", 360, 1080, true},
        {"Imprimer l'image en miniature", 840, 960, false},
    };
    for (int i = 0; i < 4; ++i) {
        auto* check = new QCheckBox(QString::fromUtf8(checks[i].caption), m_frame1);
        check->setObjectName(QStringLiteral("Chec_%1").arg(i));
        check->setGeometry(twipsRect(checks[i].left, checks[i].top, 2655, 195));
        check->setChecked(checks[i].checked);
        check->setPalette(inside);
        m_chec[i] = check;
    }
    // The miniature print stays available to the program but is never offered to the user.
    m_chec[3]->hide();

    auto* label3 = new QLabel(QStringLiteral("Nombre d'exemplaires:"), m_frame1);
    label3->setObjectName(QStringLiteral("Label3"));
    label3->setGeometry(twipsRect(240, 1560, 1695, 255));
    label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label3->setPalette(inside);

    m_label4 = new QLabel(m_frame1);
    m_label4->setObjectName(QStringLiteral("Label4"));
    m_label4->setGeometry(twipsRect(2040, 1560, 615, 255));
    m_label4->setAlignment(Qt::AlignCenter);
    m_label4->setFrameShape(QFrame::Box);
    m_label4->setAutoFillBackground(true);
    QPalette white = inside;
    white.setColor(QPalette::Window, Qt::white);
    m_label4->setPalette(white);

    m_upDown1 = new UpDownControl(m_frame1);
    m_upDown1->setObjectName(QStringLiteral("UpDown1"));
    m_upDown1->setGeometry(twipsRect(2640, 1560, 240, 255));
    m_upDown1->setPalette(inside);
    m_upDown1->setRange(MinimumCopies, MaximumCopies);
    m_upDown1->setValue(1);
    m_upDown1->setAccessibleName(QStringLiteral("Nombre d'exemplaires"));
    m_label4->setText(QString::number(m_upDown1->value()));
    connect(m_upDown1, &UpDownControl::valueChanged, this,
            [this](int value) { m_label4->setText(QString::number(value)); });

    m_command2 = pictureButton(QStringLiteral("&Imprimantes"),
                               QStringLiteral(":/print/print-printers.svg"), this);
    m_command2->setObjectName(QStringLiteral("Command2"));
    m_command2->setGeometry(twipsRect(4320, 120, 1095, 855));
    connect(m_command2, &QToolButton::clicked, this, &Confimp::choosePrinter);

    m_command3 =
        pictureButton(QStringLiteral("&Annuler"), QStringLiteral(":/print/print-cancel.svg"), this);
    m_command3->setObjectName(QStringLiteral("Command3"));
    m_command3->setGeometry(twipsRect(4320, 1200, 1095, 855));
    connect(m_command3, &QToolButton::clicked, this, &QDialog::reject);

    m_command1 = pictureButton(QStringLiteral("&OK"), QStringLiteral(":/print/print-ok.svg"), this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command1->setGeometry(twipsRect(4320, 2280, 1095, 855));
    connect(m_command1, &QToolButton::clicked, this, &Confimp::print);

    m_frame2 = new QGroupBox(this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_frame2->setGeometry(twipsRect(240, 1080, 5175, 855));
    auto* image2 = new QLabel(m_frame2);
    image2->setObjectName(QStringLiteral("Image2"));
    image2->setGeometry(twipsRect(240, 240, 480, 480));
    image2->setPixmap(QIcon(QStringLiteral(":/print/print-wait.svg")).pixmap(twips(480)));
    auto* label1 = new QLabel(QStringLiteral("Veuillez patienter quelques instants..."), m_frame2);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setGeometry(twipsRect(840, 360, 4095, 255));
    label1->setFont(windowFont(9.75, true));
    QPalette notice = label1->palette();
    notice.setColor(QPalette::WindowText, darkBlue);
    label1->setPalette(notice);
    m_frame2->hide();

    setTabOrder(m_defaut, m_chec[0]);
    setTabOrder(m_chec[0], m_chec[1]);
    setTabOrder(m_chec[1], m_chec[2]);
    setTabOrder(m_chec[2], m_upDown1);
    setTabOrder(m_upDown1, m_command2);
    setTabOrder(m_command2, m_command3);
    setTabOrder(m_command3, m_command1);
}

QString Confimp::printerDescription(const QPrinter& printer) {
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString file = printer.outputFileName();
        return file.isEmpty() ? QStringLiteral("Aucune imprimante")
                              : QStringLiteral("Fichier PDF : %1").arg(QFileInfo(file).fileName());
    }
    if (!printer.printerName().isEmpty()) return printer.printerName();
    const QString systemDefault = QPrinterInfo::defaultPrinterName();
    return systemDefault.isEmpty() ? QStringLiteral("Aucune imprimante") : systemDefault;
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
    return options;
}

void Confimp::print() {
    const PrintOptions chosen = options();
    // The screen shows what goes to paper while the job is prepared.
    std::optional<BareDrawing> bare;
    if (!chosen.withBackground) bare.emplace(m_document);

    m_command1->setEnabled(false);
    m_command2->setEnabled(false);
    m_command3->setEnabled(false);
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
    // The result code tells the caller whether the pages went out.
    done(*m_printResult == PrintResult::Printed ? QDialog::Accepted : QDialog::Rejected);
}

} // namespace alambix
