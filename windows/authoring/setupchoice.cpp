#include "windows/authoring/setupchoice.h"

#include "core/recognition.h"
#include "drawing/drawingsurface.h"
#include "session/exercisedraft.h"
#include "session/setupdocument.h"
#include "windows/files/folderpicker.h"

#include <QButtonGroup>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

namespace alambix {

namespace {
constexpr QSize ThumbnailSize(64, 98);

QPixmap thumbnail(const SetupValues& values) {
    DrawingSurface surface;
    surface.paintBackground();
    surface.drawSetup(values);
    const qreal ratio = 2;
    QPixmap pixmap = QPixmap::fromImage(surface.image().scaled(
        ThumbnailSize * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    return pixmap;
}
} // namespace

SetupChoice::SetupChoice(const QString& title, const QString& prefix, const SetupDocument& current,
                         QWidget* parent)
    : QGroupBox(title, parent), m_current(current) {
    setObjectName(prefix + QStringLiteral("-montage"));
    m_none = new QRadioButton(QStringLiteral("A&ucun"), this);
    m_currentButton = new QRadioButton(QStringLiteral("Le &montage actuel"), this);
    m_fileButton = new QRadioButton(QStringLiteral("Un fic&hier .C03…"), this);
    m_again = new QPushButton(QStringLiteral("Reprendre"), this);
    m_again->setToolTip(QStringLiteral("Reprendre le montage de la fenêtre principale tel qu'il "
                                       "est maintenant"));
    m_fileLabel = new QLabel(this);
    m_fileLabel->setWordWrap(true);
    m_thumbnail = new QLabel(this);
    m_thumbnail->setFixedSize(ThumbnailSize);
    m_thumbnail->setFrameShape(QFrame::Box);
    m_thumbnail->setAlignment(Qt::AlignCenter);
    const std::pair<QWidget*, const char*> names[] = {
        {m_none, "aucun"},      {m_currentButton, "actuel"}, {m_fileButton, "fichier"},
        {m_again, "reprendre"}, {m_fileLabel, "nomfichier"}, {m_thumbnail, "vignette"}};
    for (const auto& [widget, name] : names)
        widget->setObjectName(prefix + QLatin1Char('-') + QLatin1String(name));
    auto* group = new QButtonGroup(this);
    for (QRadioButton* button : {m_none, m_currentButton, m_fileButton})
        group->addButton(button);
    m_checked = m_none;
    m_none->setChecked(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_none, 0, 0);
    layout->addWidget(m_currentButton, 1, 0);
    layout->addWidget(m_again, 2, 0, Qt::AlignLeft);
    layout->addWidget(m_fileButton, 3, 0);
    layout->addWidget(m_fileLabel, 4, 0);
    layout->addWidget(m_thumbnail, 0, 1, 5, 1, Qt::AlignTop);
    layout->setRowStretch(5, 1);

    connect(m_none, &QRadioButton::clicked, this, [this] { choose(m_none, std::nullopt); });
    connect(m_currentButton, &QRadioButton::clicked, this, &SetupChoice::takeCurrent);
    connect(m_again, &QPushButton::clicked, this, &SetupChoice::takeCurrent);
    // A click on the file's button, chosen or not, asks for a file: it is how one changes it.
    connect(m_fileButton, &QRadioButton::clicked, this, &SetupChoice::chooseFile);
    showValues();
}

void SetupChoice::showSetup(const std::optional<SetupValues>& values, const QString& file) {
    m_values = values;
    m_fileValues = values;
    m_file = values ? file : QString();
    m_checked = values ? m_fileButton : m_none;
    m_checked->setChecked(true);
    showValues();
}

void SetupChoice::choose(QRadioButton* button, const std::optional<SetupValues>& values) {
    m_checked = button;
    button->setChecked(true);
    m_values = values;
    showValues();
    emit chosen(values);
}

void SetupChoice::takeCurrent() {
    choose(m_currentButton, m_current.model().values());
}

void SetupChoice::chooseFile() {
    QString folder = m_file.isEmpty() ? FolderPicker::lastFolder() : QFileInfo(m_file).path();
    QFileDialog dialog(window(), QStringLiteral("Choisir le montage"), folder,
                       QStringLiteral("Montage Alambix (*.C03 *.c03)"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const bool picked = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    QString path = picked ? dialog.selectedFiles().constFirst() : QString();
    SetupValues values{};
    if (picked) {
        const DraftResult read = readSetupValues(path, values);
        if (!read.ok()) {
            const ExerciseMessage message = draftMessage(read);
            QMessageBox::critical(window(), message.title, message.text);
            path.clear();
        }
    }
    if (path.isEmpty()) {
        // Nothing new: the choice shown before stays.
        m_checked->setChecked(true);
        showValues();
        return;
    }
    FolderPicker::setLastFolder(QFileInfo(path).absolutePath());
    m_file = path;
    m_fileValues = values;
    choose(m_fileButton, values);
}

void SetupChoice::showValues() {
    m_again->setEnabled(m_checked == m_currentButton);
    const bool fromFile = m_checked == m_fileButton;
    m_fileLabel->setText(fromFile ? QFileInfo(m_file).fileName() : QString());
    m_fileLabel->setToolTip(fromFile ? m_file : QString());
    if (!m_values) {
        m_thumbnail->setPixmap(QPixmap());
        m_thumbnail->setText(QStringLiteral("aucun\nmontage"));
        m_thumbnail->setToolTip(QString());
        return;
    }
    m_thumbnail->setPixmap(thumbnail(*m_values));
    const QString name = recogniseSetup(*m_values);
    m_thumbnail->setToolTip(name.isEmpty() ? setupText(*m_values) : name);
}

} // namespace alambix
