#include "windows/exercises/fichexo_window.h"

#include "assets/assets.h"
#include "core/blanks.h"
#include "core/exercisefile.h"
#include "core/programfolder.h"
#include "drawing/fonts.h"
#include "session/exerciseopening.h"
#include "session/exercisesession.h"
#include "session/setupdocument.h"
#include "windows/common/twips.h"
#include "windows/files/chargemontage.h"
#include "windows/files/folderpicker.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <cmath>

namespace alambix {

namespace {

const QColor teal(0, 128, 128);
const QColor silver(192, 192, 192);
const QString correctedCaption = QStringLiteral("Exercice corrigé");

// One of our pictures at 32 x 32; `name` is an icon's, or a resource path.
QPixmap picture(QLatin1String name) {
    return renderPicture(name.startsWith(QLatin1Char(':'))
                             ? QString(name)
                             : QStringLiteral(":/icons/%1.svg").arg(name),
                         QSize(32, 32));
}

// `tito`: the teal banner and its title, each letter a little paler than white.
class Banner : public QWidget {
public:
    explicit Banner(QWidget* parent) : QWidget(parent) {
        setObjectName(QStringLiteral("tito"));
        setAutoFillBackground(true);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, teal);
        setPalette(pal);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.fillRect(rect(), teal);
        painter.setFont(windowFont(24, true));
        const QFontMetrics metrics = painter.fontMetrics();
        const QString title = QStringLiteral("Ouvrir un exercice");
        const int top = (height() - metrics.height()) / 2 - twips(2);
        qreal x = twips(30);
        for (qsizetype i = 0; i < title.size(); ++i) {
            const double fade = double(i + 1) / double(title.size()) * 100 + 155;
            painter.setPen(QColor(255, 255, static_cast<int>(std::lround(fade))));
            const QString letter = title.mid(i, 1);
            painter.drawText(QPointF(x, top + metrics.ascent()), letter);
            x += metrics.horizontalAdvance(letter);
        }
    }
};

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect,
                  const QFont& font, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    label->setFont(font);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, colour);
    label->setPalette(pal);
    return label;
}

QLabel* makePicture(QWidget* parent, const QString& name, const QPixmap& pixmap, QPoint at) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(QRect(at, QSize(32, 32)));
    label->setPixmap(pixmap);
    return label;
}

QToolButton* makePictureButton(QWidget* parent, const char* name, const QPixmap& pixmap,
                               const QString& tooltip, QPoint at) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(QRect(at, QSize(32, 32)));
    button->setIcon(QIcon(pixmap));
    button->setIconSize(QSize(28, 28));
    button->setToolTip(tooltip);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

QFont italic(QFont font) {
    font.setItalic(true);
    return font;
}

QPoint twipsPoint(int left, int top) {
    return {twips(left), twips(top)};
}

} // namespace

QString Fichexo::startFolder(const QString& programFolder) {
    return findInProgramFolder(programFolder, QStringLiteral("exercices"));
}

Fichexo::Fichexo(const ExerciseWorkspace& workspace)
    : QDialog(&workspace.window), m_workspace(workspace) {
    setObjectName(QStringLiteral("Fichexo"));
    setModal(true);
    setFont(windowFont(8.25));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
    setAutoFillBackground(true);

    // It covers the main window exactly.
    const QWidget& main = workspace.window;
    setWindowTitle(main.windowTitle());
    setWindowIcon(main.windowIcon());
    setGeometry(main.geometry());
    setWindowState(main.windowState());

    auto* tito = new Banner(this);
    tito->setGeometry(twipsRect(0, 0, 12060, 615));

    m_ouvreur =
        makePictureButton(this, "ouvreur", picture(QLatin1String("exercise-open")),
                          QStringLiteral("Ouvrir l'exercice sélectionné"), twipsPoint(10680, 60));
    m_ouvreur->hide();
    // The teacher's way from the list to the exercise editor.
    m_modifier = makePictureButton(this, "modifierexo", picture(QLatin1String("exercise-edit")),
                                   QStringLiteral("Modifier l'exercice sélectionné (Ctrl+M)"),
                                   twipsPoint(10080, 60));
    m_modifier->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    m_modifier->hide();
    auto* image5 =
        makePictureButton(this, "Image5", picture(QLatin1String("fermer")),
                          QStringLiteral("Fermer sans charger d'exercice"), twipsPoint(11280, 60));

    m_fichierexo = new QLineEdit(this);
    m_fichierexo->setObjectName(QStringLiteral("fichierexo"));
    m_fichierexo->setReadOnly(true);
    m_fichierexo->setFocusPolicy(Qt::NoFocus);
    m_fichierexo->setFrame(false);
    m_fichierexo->setFont(windowFont(8.25, true));
    QPalette pathPalette = m_fichierexo->palette();
    pathPalette.setColor(QPalette::Base, QColor(128, 0, 0));
    pathPalette.setColor(QPalette::Text, Qt::white);
    m_fichierexo->setPalette(pathPalette);
    // From its left to the right edge.
    const QRect path = twipsRect(3600, 600, 0, 270);
    m_fichierexo->setGeometry(path.x(), path.y(), width() - path.x(), path.height());

    auto* frame1 = new QFrame(this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    frame1->setGeometry(0, tito->height() - twips(8), twips(3615), height());
    frame1->setFrameShape(QFrame::Panel);
    frame1->setFrameShadow(QFrame::Raised);
    frame1->setAutoFillBackground(true);
    QPalette framePalette = frame1->palette();
    framePalette.setColor(QPalette::Window, silver);
    frame1->setPalette(framePalette);
    m_picker = new FolderPicker(QStringLiteral("*") + QLatin1String(ExerciseSuffix),
                                {twipsRect(720, 360, 2535, 315), twipsRect(720, 960, 2535, 2790),
                                 twipsRect(720, 4200, 2535, 3405)},
                                frame1);
    makeLabel(frame1, "Label5", QStringLiteral("Liste des exercices:"),
              twipsRect(720, 3960, 2535, 255), windowFont(8.25), QColor(0, 0, 128));
    makePicture(frame1, QStringLiteral("Image1"), picture(QLatin1String("drive")),
                twipsPoint(120, 270));
    makePicture(frame1, QStringLiteral("Image2"), picture(QLatin1String("ouvrir")),
                twipsPoint(120, 960));
    makePicture(frame1, QStringLiteral("Image3"), picture(QLatin1String("exercise-file")),
                twipsPoint(120, 4200));

    m_intratro = makeLabel(this, "intratro", QStringLiteral("Sélectionner un fichier"),
                           twipsRect(5880, 2280, 4695, 615), italic(windowFont(18)), teal);
    m_intratro->setAlignment(Qt::AlignCenter);
    m_titratexo = makeLabel(this, "titratexo", QString(), twipsRect(4200, 1080, 7815, 375),
                            serifWindowFont(15.75), QColor(0, 0, 192));
    m_label4 =
        makeLabel(this, "Label4", QStringLiteral("Niveau de difficulté:"),
                  twipsRect(3720, 1800, 2535, 255), italic(windowFont(9.75)), QColor(192, 0, 0));
    m_label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_label4->hide();

    m_lit = picture(QLatin1String("lamp-lit"));
    m_dark = picture(QLatin1String("lamp-dark"));
    makePicture(this, QStringLiteral("Imagalu"), m_lit, twipsPoint(3720, 1560))->hide();
    makePicture(this, QStringLiteral("Imagenoir"), m_dark, twipsPoint(4320, 1560))->hide();
    for (int i = 0; i < 3; ++i) {
        QLabel* lamp = makePicture(this, QStringLiteral("Image4_%1").arg(i), m_dark,
                                   twipsPoint(6480 + 480 * i, 1680));
        lamp->hide();
        m_image4.at(static_cast<std::size_t>(i)) = lamp;
    }

    // The shadow first, so that the caption stands over it.
    m_label3 = makeLabel(this, "Label3", QString(), QRect(), windowFont(18, true), silver);
    m_label2 = makeLabel(this, "Label2", QString(), twipsRect(8760, 1680, 2895, 495),
                         windowFont(18, true), QColor(0, 128, 0));
    // 2 twips right of and below the caption, at least a pixel so that it shows.
    const int shadow = std::max(1, twips(2));
    m_label3->setGeometry(m_label2->geometry().translated(shadow, shadow));
    m_label2->hide();
    m_label3->hide();
    m_label1 = makeLabel(this, "Label1", QStringLiteral("Notions abordées:"),
                         twipsRect(4200, 2400, 2655, 375), serifWindowFont(12, true), Qt::blue);
    m_label1->hide();

    m_text1 = new QPlainTextEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    m_text1->setGeometry(twipsRect(4320, 3000, 7095, 5175));
    m_text1->setReadOnly(true);
    m_text1->setFocusPolicy(Qt::NoFocus);
    m_text1->setFont(windowFont(9.75));
    QPalette notesPalette = m_text1->palette();
    notesPalette.setColor(QPalette::Base, Qt::white);
    notesPalette.setColor(QPalette::Text, Qt::blue);
    m_text1->setPalette(notesPalette);

    // The wait notice, centred.
    m_frame2 = new QFrame(this);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    const QSize notice(twips(8295), twips(1575));
    m_frame2->setGeometry(
        QRect(QPoint((width() - notice.width()) / 2, (height() - notice.height()) / 2), notice));
    m_frame2->setFrameShape(QFrame::Box);
    m_frame2->setAutoFillBackground(true);
    QPalette noticePalette = m_frame2->palette();
    noticePalette.setColor(QPalette::Window, QColor(255, 224, 192));
    m_frame2->setPalette(noticePalette);
    auto* label6 = makeLabel(m_frame2, "Label6", QStringLiteral(" Chargement des fichiers"),
                             twipsRect(0, 0, 8295, 255), windowFont(8.25, true), Qt::white);
    label6->setAutoFillBackground(true);
    QPalette stripPalette = label6->palette();
    stripPalette.setColor(QPalette::Window, QColor(0, 0, 128));
    label6->setPalette(stripPalette);
    QFont waitFont = italic(windowFont(18, true));
    makeLabel(m_frame2, "Label7", QStringLiteral("Patienter quelques instants"),
              twipsRect(1560, 600, 6255, 615), waitFont, QColor(128, 64, 0));
    makePicture(m_frame2, QStringLiteral("Image6"),
                picture(QLatin1String(":/print/print-wait.svg")), twipsPoint(600, 600));
    m_frame2->hide();

    // Every showing starts in the program's own exercise folder.
    m_picker->folderList()->setPath(startFolder(workspace.programFolder));

    connect(m_picker, &FolderPicker::fileSelected, this, &Fichexo::fileSelected);
    // The click before a double-click has already selected the file.
    connect(m_picker, &FolderPicker::fileActivated, this, &Fichexo::ouvre);
    connect(m_ouvreur, &QToolButton::clicked, this, &Fichexo::ouvre);
    connect(m_modifier, &QToolButton::clicked, this, [this] {
        if (m_modifier->isHidden()) return;
        m_toEdit = m_fichierexo->text();
        reject();
    });
    connect(image5, &QToolButton::clicked, this, &QDialog::reject);
}

void Fichexo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (m_activated) return;
    m_activated = true;
    // Once the window stands: the preview may have a message to show over it.
    QTimer::singleShot(0, this, [this] {
        FileList* list = m_picker->fileList();
        if (list->count() == 0) return;
        list->setCurrentRow(0);
        list->setFocus(Qt::ActiveWindowFocusReason);
    });
}

void Fichexo::fileSelected(const QString& path) {
    const QString folder = m_picker->folder();
    m_picker->rememberFolder();
    m_workspace.session.setRepexo(folder);
    m_fichierexo->setText(path);
    m_fichierexo->setCursorPosition(m_fichierexo->text().size());
    apercu();
}

void Fichexo::apercu() {
    m_text1->clear();
    for (QLabel* lamp : m_image4)
        lamp->hide();
    m_label4->hide();
    m_ouvreur->hide();
    m_modifier->hide();
    const QString path = m_fichierexo->text();
    if (trimBlanks(path).isEmpty()) return;
    m_intratro->hide();
    const std::initializer_list<QWidget*> shown{m_label4, m_ouvreur, m_modifier,
                                                m_label1, m_label3,  m_label2};
    for (QWidget* widget : shown)
        widget->show();

    const std::optional<ExercisePreview> preview = previewExerciseFile(path);
    if (!preview) {
        m_corrected = false;
        const ExerciseMessage message = unreadableExerciseMessage();
        QMessageBox::critical(this, message.title, message.text);
        return;
    }
    m_corrected = preview->corrected;
    m_label2->setText(preview->corrected ? correctedCaption : QStringLiteral("Non corrigé"));
    m_label3->setText(m_label2->text());
    for (int i = 0; i < 3; ++i) {
        QLabel* lamp = m_image4.at(static_cast<std::size_t>(i));
        lamp->setPixmap(preview->level > i ? m_lit : m_dark);
        lamp->show();
    }
    m_text1->setPlainText(preview->notions);
    m_titratexo->setText(preview->title);
}

void Fichexo::ouvre() {
    const QString path = m_fichierexo->text();
    if (trimBlanks(path).isEmpty()) return;
    m_frame2->show();
    m_frame2->raise();
    m_frame2->repaint();

    const bool opened = openExerciseStatement(m_workspace, path, m_corrected, this);
    m_frame2->hide();
    if (opened) accept();
}

} // namespace alambix
