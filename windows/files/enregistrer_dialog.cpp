#include "windows/files/enregistrer_dialog.h"

#include "session/setupdocument.h"
#include "windows/files/chargemontage.h"
#include "windows/files/dialogstyle.h"
#include "windows/files/folderpicker.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace alambix {

Enregistrer::Enregistrer(SetupDocument& document, QWidget* main)
    : QDialog(main), m_document(document) {
    setObjectName(QStringLiteral("enregistrer"));
    setWindowTitle(QStringLiteral("Enregistrer les paramètres."));
    setModal(true);
    styleDialog(this, *main, 5565, 6615);

    makeLabel(this, "Label1", QStringLiteral("Lecteur:"), twipsRect(1080, 120, 1215, 255));
    makeLabel(this, "Label3", QStringLiteral("Répertoire:"), twipsRect(1080, 750, 1215, 255));
    makeLabel(this, "Label4", QStringLiteral("Fichiers enregistrés"),
              twipsRect(3120, 120, 2055, 255));
    makeLabel(this, "Label2", QStringLiteral("Nom du fichier:"), twipsRect(2280, 5160, 1215, 255));

    m_picker = new FolderPicker(QStringLiteral("*") + QLatin1String(SetupSuffix),
                                {twipsRect(360, 360, 2415, 315), twipsRect(360, 1005, 2415, 3915),
                                 twipsRect(3120, 360, 2055, 4575)},
                                this);
    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setGeometry(twipsRect(720, 5400, 4335, 315));
    m_command1 = makeButton(this, "Command1", QStringLiteral("ENREGISTRER"),
                            twipsRect(3240, 6000, 1815, 375));
    m_command2 =
        makeButton(this, "Command2", QStringLiteral("ANNULER"), twipsRect(720, 6000, 1815, 375));

    setTabOrder(m_picker->driveList(), m_picker->folderList());
    setTabOrder(m_picker->folderList(), m_picker->fileList());
    setTabOrder(m_picker->fileList(), m_text1);
    setTabOrder(m_text1, m_command1);
    setTabOrder(m_command1, m_command2);

    m_text1->setText(m_document.path());

    // Once the lists choose the folder, a typed folder no longer counts.
    connect(m_picker, &FolderPicker::folderChanged, this, [this] {
        const QString text = m_text1->text();
        const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
        if (slash >= 0) m_text1->setText(text.mid(slash + 1));
    });
    connect(m_picker, &FolderPicker::fileActivated, this, [this](const QString& path) {
        m_text1->setText(QFileInfo(path).fileName());
        enregistre();
    });
    connect(m_text1, &QLineEdit::returnPressed, this, &Enregistrer::enregistre);
    connect(m_command1, &QPushButton::clicked, this, &Enregistrer::enregistre);
    connect(m_command2, &QPushButton::clicked, this, &QDialog::reject);
}

void Enregistrer::enregistre() {
    setCursor(Qt::WaitCursor);
    const QString path = composeSetupPath(m_text1->text(), m_picker->folderList()->path());
    if (path.isEmpty()) {
        unsetCursor();
        showFileMessage(this, FileOutcome::NoName);
        return;
    }
    m_text1->setText(path);
    m_document.setPath(path);
    // The next picker starts in the folder last used.
    m_picker->rememberFolder();
    if (QFileInfo::exists(path) &&
        showFileMessage(this, FileOutcome::AlreadyExists, QMessageBox::Warning,
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes) {
        unsetCursor();
        return;
    }
    if (!ecritmontage(m_document, this)) return;
    unsetCursor();
    accept();
}

} // namespace alambix
