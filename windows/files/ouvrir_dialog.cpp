#include "windows/files/ouvrir_dialog.h"

#include "core/blanks.h"
#include "session/setupdocument.h"
#include "windows/files/chargemontage.h"
#include "windows/files/dialogstyle.h"
#include "windows/files/folderpicker.h"

#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

namespace alambix {

Ouvrir::Ouvrir(SetupDocument& document, QWidget* view)
    : QDialog(view->window()), m_document(document), m_view(view) {
    setObjectName(QStringLiteral("ouvrir"));
    setWindowTitle(QStringLiteral("Ouvrir une configuration"));
    setModal(true);
    styleDialog(this, *view->window(), 5535, 6345);

    makeLabel(this, "Label1", QStringLiteral("Lecteur:"), twipsRect(360, 120, 2415, 255));
    makeLabel(this, "Label2", QStringLiteral("Répertoire"), twipsRect(360, 735, 2415, 255));
    makeLabel(this, "Label3", QStringLiteral("Fichiers"), twipsRect(3120, 120, 2055, 255));

    m_picker = new FolderPicker(QStringLiteral("*") + QLatin1String(SetupSuffix),
                                {twipsRect(360, 360, 2415, 315), twipsRect(360, 975, 2415, 4140),
                                 twipsRect(3120, 360, 2055, 4770)},
                                this);

    m_ficharge = new QLineEdit(this);
    m_ficharge->setObjectName(QStringLiteral("ficharge"));
    m_ficharge->setGeometry(twipsRect(0, 5280, 5535, 285));
    m_ficharge->setReadOnly(true);
    m_ficharge->setFocusPolicy(Qt::NoFocus);
    QPalette fichargePalette = m_ficharge->palette();
    fichargePalette.setColor(QPalette::Base, DialogBackground);
    fichargePalette.setColor(QPalette::Text, QColor(0, 0, 128));
    m_ficharge->setPalette(fichargePalette);

    m_command1 =
        makeButton(this, "Command1", QStringLiteral("OUVRIR"), twipsRect(3120, 5640, 1815, 375));
    m_command2 =
        makeButton(this, "Command2", QStringLiteral("ANNULER"), twipsRect(720, 5640, 1815, 375));

    // The waiting notice covers the whole dialog while a file loads.
    m_frame1 = new QFrame(this);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setGeometry(twipsRect(0, 0, 5535, 6375));
    m_frame1->setAutoFillBackground(true);
    auto* label4 = makeLabel(m_frame1, "Label4", QStringLiteral("Patience: chargement du fichier"),
                             twipsRect(120, 2520, 5295, 495));
    label4->setAlignment(Qt::AlignCenter);
    QFont noticeFont = font();
    noticeFont.setPointSizeF(13.5);
    label4->setFont(noticeFont);
    QPalette noticePalette = label4->palette();
    noticePalette.setColor(QPalette::WindowText, QColor(128, 0, 0));
    label4->setPalette(noticePalette);
    auto* image1 = new QLabel(m_frame1);
    image1->setObjectName(QStringLiteral("Image1"));
    image1->setGeometry(twipsRect(2520, 1800, 480, 480));
    image1->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(twips(480)));
    m_frame1->hide();

    setTabOrder(m_command1, m_command2);
    setTabOrder(m_command2, m_picker->folderList());
    setTabOrder(m_picker->folderList(), m_picker->fileList());
    setTabOrder(m_picker->fileList(), m_picker->driveList());
    m_command1->setFocus();

    connect(m_picker, &FolderPicker::fileSelected, this, &Ouvrir::fileSelected);
    // The click before a double-click has already named the file.
    connect(m_picker, &FolderPicker::fileActivated, this, &Ouvrir::ouvre);
    connect(m_command1, &QPushButton::clicked, this, &Ouvrir::ouvre);
    connect(m_command2, &QPushButton::clicked, this, &QDialog::reject);
}

void Ouvrir::fileSelected(const QString& path) {
    // Selecting a file makes its folder the one the next picker opens in.
    m_picker->rememberFolder();
    m_ficharge->setText(path);
}

void Ouvrir::ouvre() {
    const QString path = m_ficharge->text();
    if (trimBlanks(path).isEmpty()) return;
    m_document.setPath(path);
    if (!QFileInfo(path).isFile()) {
        showFileMessage(this, FileOutcome::BadPath);
        return;
    }
    m_frame1->show();
    m_frame1->raise();
    chargemontage(m_document, m_view, this);
    accept();
}

} // namespace alambix
