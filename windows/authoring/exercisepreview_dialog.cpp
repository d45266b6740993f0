#include "windows/authoring/exercisepreview_dialog.h"

#include "assets/assets.h"
#include "core/blanks.h"
#include "core/recognition.h"
#include "drawing/drawingsurface.h"
#include "drawing/fonts.h"
#include "session/exercisedraft.h"
#include "session/picturedisplay.h"
#include "windows/common/twips.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>

namespace alambix {

namespace {

// The main window's text panel, as its window lays it out.
constexpr QSize PanelSize(twips(5415), twips(5370));
constexpr QSize DrawingSize(160, 245);

QLabel* makeLabel(const QString& text, const char* name, const QFont& font, const QColor& colour,
                  QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QFont italic(QFont font) {
    font.setItalic(true);
    return font;
}

// What the exercise window's preview shows of the exercise.
QWidget* listPreview(const ExerciseDraft& draft, QWidget* parent) {
    auto* page = new QWidget(parent);
    page->setObjectName(QStringLiteral("fenetreexercices"));
    page->setAutoFillBackground(true);
    QPalette white = page->palette();
    white.setColor(QPalette::Window, Qt::white);
    page->setPalette(white);
    auto* column = new QVBoxLayout(page);
    QLabel* title = makeLabel(trimBlanks(draft.title()), "titratexo", serifWindowFont(15.75),
                              QColor(0, 0, 192), page);
    title->setWordWrap(true);
    column->addWidget(title);

    auto* levelRow = new QHBoxLayout;
    levelRow->addWidget(makeLabel(QStringLiteral("Niveau de difficulté:"), "Label4",
                                  italic(windowFont(9.75)), QColor(192, 0, 0), page));
    const QPixmap lit = renderPicture(QStringLiteral(":/icons/lamp-lit.svg"), QSize(32, 32));
    const QPixmap dark = renderPicture(QStringLiteral(":/icons/lamp-dark.svg"), QSize(32, 32));
    for (int i = 0; i < 3; ++i) {
        auto* lamp = new QLabel(page);
        lamp->setObjectName(QStringLiteral("Image4_%1").arg(i));
        lamp->setPixmap(draft.level() > i ? lit : dark);
        levelRow->addWidget(lamp);
    }
    levelRow->addSpacing(24);
    const bool corrected = draft.hasCorrection() || draft.correctionSetup().has_value();
    levelRow->addWidget(
        makeLabel(corrected ? QStringLiteral("Exercice corrigé") : QStringLiteral("Non corrigé"),
                  "Label2", windowFont(18, true), QColor(0, 128, 0), page));
    levelRow->addStretch(1);
    column->addLayout(levelRow);

    column->addWidget(makeLabel(QStringLiteral("Notions abordées:"), "Label1",
                                serifWindowFont(12, true), Qt::blue, page));
    auto* notions = new QPlainTextEdit(draft.notions(), page);
    notions->setObjectName(QStringLiteral("Text1"));
    notions->setReadOnly(true);
    notions->setFont(windowFont(9.75));
    QPalette blue = notions->palette();
    blue.setColor(QPalette::Base, Qt::white);
    blue.setColor(QPalette::Text, Qt::blue);
    notions->setPalette(blue);
    column->addWidget(notions, 1);
    return page;
}

// A document in the text panel, and the drawing of its set-up.
QWidget* documentPreview(const QTextDocument& document, const std::optional<SetupValues>& setup,
                         const char* name, QWidget* parent) {
    auto* page = new QWidget(parent);
    auto* row = new QHBoxLayout(page);
    auto* panel = new QTextEdit(page);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFont(windowFont(8.25));
    panel->setFixedSize(PanelSize);
    panel->setReadOnly(true);
    showPicturesSmoothly(*panel->document());
    if (!copyAsSaved(document, *panel->document()))
        panel->setPlainText(QStringLiteral("Ce texte ne peut pas être enregistré."));
    row->addWidget(panel, 0, Qt::AlignTop);

    auto* drawing = new QLabel(page);
    drawing->setObjectName(QString::fromLatin1(name) + QStringLiteral("-montage"));
    drawing->setFixedWidth(DrawingSize.width() + 20);
    drawing->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    drawing->setWordWrap(true);
    if (setup) {
        DrawingSurface surface;
        surface.paintBackground();
        surface.drawSetup(*setup);
        QPixmap pixmap = QPixmap::fromImage(
            surface.image().scaled(DrawingSize * 2, Qt::KeepAspectRatio, Qt::SmoothTransformation));
        pixmap.setDevicePixelRatio(2);
        drawing->setPixmap(pixmap);
        drawing->setToolTip(recogniseSetup(*setup));
    } else {
        drawing->setText(QStringLiteral("Le montage n'est pas changé."));
    }
    row->addWidget(drawing, 0, Qt::AlignTop);
    row->addStretch(1);
    return page;
}

} // namespace

ExercisePreviewDialog::ExercisePreviewDialog(const ExerciseDraft& draft, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("apercu"));
    setWindowTitle(QStringLiteral("Aperçu de l'exercice"));
    auto* layout = new QVBoxLayout(this);
    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("pages"));
    tabs->addTab(listPreview(draft, tabs), QStringLiteral("&Liste des exercices"));
    tabs->addTab(documentPreview(draft.statement(), draft.statementSetup(), "enonce", tabs),
                 QStringLiteral("É&noncé"));
    // A correction without a text of its own leaves the statement in the panel.
    QWidget* correction =
        documentPreview(draft.hasCorrection() ? draft.correction() : draft.statement(),
                        draft.correctionSetup(), "corrige", tabs);
    const int correctionTab = tabs->addTab(correction, QStringLiteral("&Correction"));
    tabs->setTabEnabled(correctionTab, draft.hasCorrection() || draft.correctionSetup());
    layout->addWidget(tabs);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

} // namespace alambix
