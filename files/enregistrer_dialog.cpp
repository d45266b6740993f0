#include "files/enregistrer_dialog.h"

#include "app/feuillep_window.h"
#include "files/chargemontage.h"
#include "files/cheminmontage.h"
#include "files/dialogstyle.h"
#include "files/folderlists.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace alambix {

Enregistrer::Enregistrer(FeuilleP& main, QWidget* parent)
    : QDialog(parent ? parent : &main), m_main(main) {
    setObjectName(QStringLiteral("enregistrer"));
    setWindowTitle(QStringLiteral("Enregistrer les paramètres."));
    setModal(true);
    styleDialog(this, main, 5565, 6615);

    makeLabel(this, "Label1", QStringLiteral("Lecteur:"), twipsRect(1080, 120, 1215, 255));
    makeLabel(this, "Label3", QStringLiteral("Répertoire:"), twipsRect(1080, 750, 1215, 255));
    makeLabel(this, "Label4", QStringLiteral("Fichiers enregistrés"),
              twipsRect(3120, 120, 2055, 255));
    makeLabel(this, "Label2", QStringLiteral("Nom du fichier:"), twipsRect(2280, 5160, 1215, 255));

    m_drive1 = new DriveList(this);
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_drive1->setGeometry(twipsRect(360, 360, 2415, 315));
    m_dir1 = new DirList(this);
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_dir1->setGeometry(twipsRect(360, 1005, 2415, 3915));
    m_file1 = new FileList(this);
    m_file1->setObjectName(QStringLiteral("File1"));
    m_file1->setGeometry(twipsRect(3120, 360, 2055, 4575));
    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setGeometry(twipsRect(720, 5400, 4335, 315));
    m_command1 = makeButton(this, "Command1", QStringLiteral("ENREGISTRER"),
                            twipsRect(3240, 6000, 1815, 375));
    m_command2 =
        makeButton(this, "Command2", QStringLiteral("ANNULER"), twipsRect(720, 6000, 1815, 375));

    setTabOrder(m_drive1, m_dir1);
    setTabOrder(m_dir1, m_file1);
    setTabOrder(m_file1, m_text1);
    setTabOrder(m_text1, m_command1);
    setTabOrder(m_command1, m_command2);

    // The lists start in the folder last used, the process's current folder.
    m_dir1->setPath(QDir::currentPath());
    m_drive1->showDriveOf(m_dir1->path());
    m_file1->setPath(m_dir1->path());
    connectFolderLists(m_drive1, m_dir1, m_file1);
    m_text1->setText(cheminmontage);

    // Once the lists choose the folder, a typed folder no longer counts.
    connect(m_file1, &FileList::pathChanged, this, [this] {
        const QString text = m_text1->text();
        const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
        if (slash >= 0) m_text1->setText(text.mid(slash + 1));
    });
    connect(m_file1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        m_text1->setText(item->text());
        enregistre();
    });
    connect(m_text1, &QLineEdit::returnPressed, this, &Enregistrer::enregistre);
    connect(m_command1, &QPushButton::clicked, this, &Enregistrer::enregistre);
    connect(m_command2, &QPushButton::clicked, this, &QDialog::reject);
}

void Enregistrer::enregistre() {
    setCursor(Qt::WaitCursor);
    const QString path = composeSetupPath(m_text1->text(), m_dir1->path());
    if (path.isEmpty()) {
        unsetCursor();
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Enregistrement impossible"),
                        QStringLiteral("Il faut donner un nom au fichier!"), QMessageBox::Ok, this);
        box.exec();
        return;
    }
    m_text1->setText(path);
    cheminmontage = path;
    // The next open or save dialog starts in the folder last used.
    QDir::setCurrent(m_file1->path());
    if (QFileInfo::exists(path)) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Ce fichier existe déjà!"),
                        QStringLiteral("Ecraser le fichier existant?"),
                        QMessageBox::Yes | QMessageBox::No, this);
        box.setDefaultButton(QMessageBox::No);
        if (box.exec() != QMessageBox::Yes) {
            unsetCursor();
            return;
        }
    }
    if (!ecritmontage(m_main, this)) return;
    unsetCursor();
    accept();
}

} // namespace alambix
