#include "files/ouvrir_dialog.h"

#include "app/blanks.h"

#include "app/feuillep_window.h"
#include "files/chargemontage.h"
#include "files/cheminmontage.h"
#include "files/dialogstyle.h"
#include "files/folderlists.h"

#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>

namespace alambix {

Ouvrir::Ouvrir(FeuilleP& main, QWidget* parent) : QDialog(parent ? parent : &main), m_main(main) {
    setObjectName(QStringLiteral("ouvrir"));
    setWindowTitle(QStringLiteral("Ouvrir une configuration"));
    setModal(true);
    styleDialog(this, main, 5535, 6345);

    makeLabel(this, "Label1", QStringLiteral("Lecteur:"), twipsRect(360, 120, 2415, 255));
    makeLabel(this, "Label2", QStringLiteral("Répertoire"), twipsRect(360, 735, 2415, 255));
    makeLabel(this, "Label3", QStringLiteral("Fichiers"), twipsRect(3120, 120, 2055, 255));

    m_drive1 = new DriveList(this);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_drive1->setGeometry(twipsRect(360, 360, 2415, 315));
    m_dir1 = new DirList(this);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_dir1->setGeometry(twipsRect(360, 975, 2415, 4140));
    m_file1 = new FileList(this);
    m_file1->setObjectName(QStringLiteral("File1"));
    m_file1->setGeometry(twipsRect(3120, 360, 2055, 4770));

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
    setTabOrder(m_command2, m_dir1);
    setTabOrder(m_dir1, m_file1);
    setTabOrder(m_file1, m_drive1);
    m_command1->setFocus();

    m_dir1->setPath(QDir::currentPath());
    m_drive1->showDriveOf(m_dir1->path());
    m_file1->setPath(m_dir1->path());
    connectFolderLists(m_drive1, m_dir1, m_file1);

    connect(m_file1, &QListWidget::itemSelectionChanged, this, &Ouvrir::fileSelected);
    // The click before a double-click has already named the file.
    connect(m_file1, &QListWidget::itemDoubleClicked, this, &Ouvrir::ouvre);
    // Enter on a file opens it, as the double-click does.
    m_file1->installEventFilter(this);
    connect(m_command1, &QPushButton::clicked, this, &Ouvrir::ouvre);
    connect(m_command2, &QPushButton::clicked, this, &QDialog::reject);
}

bool Ouvrir::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_file1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !m_file1->selectedName().isEmpty()) {
            ouvre();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void Ouvrir::fileSelected() {
    const QString name = m_file1->selectedName();
    if (name.isEmpty()) return;
    const QString folder = m_file1->path();
    // Selecting a file makes its folder the one both dialogs reopen in.
    QDir::setCurrent(folder);
    m_ficharge->setText(joinPath(folder, name));
}

void Ouvrir::ouvre() {
    const QString path = m_ficharge->text();
    if (trimBlanks(path).isEmpty()) return;
    cheminmontage = path;
    if (!QFileInfo(path).isFile()) {
        QMessageBox box(QMessageBox::Critical, QStringLiteral("impossible d'ouvrir ce fichier"),
                        QStringLiteral("Nom de fichier incorrect ou chemin non valide"),
                        QMessageBox::Ok, this);
        box.exec();
        return;
    }
    m_frame1->show();
    m_frame1->raise();
    chargemontage(m_main, this);
    accept();
}

} // namespace alambix
