#include "windows/main/feuillep_window.h"

#include "assets/assets.h"
#include "core/explain.h"
#include "core/flagfile.h"
#include "core/programfolder.h"
#include "core/recognition.h"
#include "drawing/fonts.h"
#include "drawing/rounding.h"
#include "session/introtext.h"
#include "windows/calculator/machine_window.h"
#include "windows/common/twips.h"
#include "windows/common/windowscale.h"
#include "windows/exercises/exercisemenu.h"
#include "windows/files/chargemontage.h"
#include "windows/files/enregistrer_dialog.h"
#include "windows/files/ouvrir_dialog.h"
#include "windows/help/programhelp.h"
#include "windows/main/checkbutton.h"
#include "windows/main/dessin_widget.h"
#include "windows/main/elementbutton.h"
#include "windows/main/explainmenu.h"
#include "windows/main/hintfit.h"
#include "windows/main/screenrule.h"
#include "windows/main/windowlayout.h"
#include "windows/print/clipboardexport.h"
#include "windows/print/confimp_dialog.h"
#include "windows/print/fichetravail_window.h"
#include "windows/print/imageexport_dialog.h"
#include "windows/text/textpanel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QShortcut>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace alambix {

namespace {
QPixmap picture(QLatin1String name, QSize size, qreal ratio = 0) {
    return renderPicture(QStringLiteral(":/icons/%1.svg").arg(name), size, ratio);
}

const QColor windowBackground(224, 224, 224);

// `Label1`: its border stays black whatever colours the name is shown in.
class NameLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override {
        QLabel::paintEvent(event);
        QPainter painter(this);
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

// The "Exercices" tab, its access key underlined, with a dotted frame while it has the focus;
// drawn at the window's scale.
QPixmap FeuilleP::exerciseTab(bool focused) const {
    const WindowScale& scale = *m_scale;
    QPixmap tab = picture(QLatin1String("exercices-tab"), scale.rect(QRect(0, 0, 97, 19)).size());
    QPainter painter(&tab);
    painter.setFont(scale.font(windowFont(8.25, true)));
    painter.setPen(QColor(0, 0, 127));
    const QRect caption = scale.rect(QRect(0, 1, 88, 18));
    painter.drawText(caption, Qt::AlignCenter | Qt::TextShowMnemonic, QStringLiteral("E&xercices"));
    if (focused) {
        painter.setPen(QPen(QColor(0, 0, 127), std::max(1, scale.length(1)), Qt::DotLine));
        painter.drawRect(scale.rect(QRect(10, 3, 67, 13)));
    }
    return tab;
}

namespace {
struct CommandInfo {
    const char* name;
    const char* caption;
    int left;
    int width;
    const char* icon;
    const char* tooltip;
    const char* hint;
};

// The command bar, left to right.
const CommandInfo commandBar[] = {
    {"Command3", "&Nouveau", 0, 1335, "nouveau", "Nouveau montage", "Effacer le montage actuel"},
    {"Command2", "&Ouvrir", 1320, 1335, "ouvrir", "Retrouver un montage",
     "Retrouver un montage enregistré"},
    {"Command11", "&Enregistrer", 2640, 1335, "enregistrer", "Enregistrer le montage",
     "Enregistrer le montage actuel"},
    {"Command4", "Co&pier", 3960, 1335, "copier", "Placer l'image dans le presse-papiers",
     "Placer le dessin dans le presse-papiers puis coller depuis LibreOffice, GIMP..."},
    {"Command10", "&Imprimer", 5280, 1335, "imprimer", "Imprimer l'image",
     "Configurer l'imprimante et imprimer l'image"},
    {"Command8", "&Calculatrice", 6600, 1335, "calculatrice", "Machine à calculer",
     "Activer la machine à calculer"},
    {"Command9", "&Voir le cours", 7920, 1335, "cours", "Aide théorique",
     "Accéder directement à une partie du cours du manuel"},
    {"Command7", "&Aide", 9240, 1335, "aide", "Aide pour utiliser cette application",
     "Si vous rencontrez une difficulté avec cette application"},
    {"Command1", "&Fermer", 10560, 1455, "fermer", "Quitter cette application",
     "Pour retrouver le module principal et quitter cette application"},
};

const char* const elementHint =
    "Cliquer sur les boutons à gauche du schéma pour ajouter ou enlever un élément au montage";
const char* const dessinHint = "Pour modifier le montage, utiliser les boutons à gauche du schéma";
const char* const exerciseTabHint =
    "Ouvrir un énoncé d'exercice, enregistrer le texte, obtenir la correction, imprimer ou fermer";
const char* const backgroundHint =
    "Vous pouvez modifier les paramètres,\r\nouvrir une configuration ou un exercice";
} // namespace

FeuilleP::FeuilleP(const QString& programFolder, QWidget* parent)
    : QWidget(parent),
      m_programFolder(programFolder.isEmpty() ? QCoreApplication::applicationDirPath()
                                              : programFolder) {
    setObjectName(QStringLiteral("feuilleP"));
    m_scale = new WindowScale(this);
    setWindowTitle(QStringLiteral("Alambix"));
    setWindowIcon(QIcon(picture(QLatin1String("alambix"), QSize(32, 32))));
    setAutoFillBackground(false);
    setFont(windowFont(8.25));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, windowBackground);
    setPalette(pal);
    resize(twips(11865), twips(8580));

    buildCommandBar();
    buildElementButtons();
    m_dessin = new DessinWidget(m_document.surface(), this);
    designed(m_dessin, twipsRect(1320, 840, 4815, 7350));
    buildRightPanel();

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setInterval(40);
    connect(m_timer1, &QTimer::timeout, this, &FeuilleP::tickWater);

    connect(&m_document, &SetupDocument::redrawn, this, &FeuilleP::showSetup);
    connect(&m_document, &SetupDocument::showRequested, m_dessin, qOverload<>(&QWidget::repaint));
    connect(&m_document, &SetupDocument::titleChanged, this, &QWidget::setWindowTitle);

    // Start-up: every step goes on whatever the previous gave. The flag saying the module runs
    // is written once the window is on the screen (see paintEvent), or after a second if it is
    // not shown: its disk sync can take longer than the whole start.
    QTimer::singleShot(1000, this, &FeuilleP::writeRunningFlag);
    applySmallScreenRule();
    fondessin();
    ecritintro();
    // The cursor stays at its own size: its hot spot is in its pixels.
    const QCursor elementCursor(picture(QLatin1String("element-cursor"), QSize(32, 32), 1), 9, 2);
    for (auto* button : m_check1)
        button->setCursor(elementCursor);
    setHint(QString::fromUtf8(backgroundHint));
    setMouseTracking(true);
    m_dessin->setMouseTracking(true);
    m_dessin->installEventFilter(this);
    // The drawing comes after the buttons in the keyboard's order, for its explanation menu.
    setTabOrder(*std::max_element(m_check1.begin(), m_check1.end(),
                                  [](const ElementButton* a, const ElementButton* b) {
                                      return elementButtonTopTwips(a->index()) <
                                             elementButtonTopTwips(b->index());
                                  }),
                m_dessin);
    // The drawing's menu also makes a worksheet of it.
    QMenu* drawingMenu =
        installExplainMenu(m_dessin, QList<QWidget*>(m_check1.begin(), m_check1.end()), model());
    drawingMenu->addSeparator();
    QAction* fiche = drawingMenu->addAction(QStringLiteral("Fiche de travail…"));
    fiche->setObjectName(QStringLiteral("fichetravail"));
    connect(fiche, &QAction::triggered, this, [this] {
        FicheTravail window(m_document, this);
        window.exec();
    });
    // An empty drawing makes no worksheet.
    connect(drawingMenu, &QMenu::aboutToShow, fiche, [this, fiche] {
        const SetupValues& values = model().values();
        fiche->setEnabled(std::any_of(values.begin(), values.end(), [](bool on) { return on; }));
    });
}

FeuilleP::~FeuilleP() = default;

void FeuilleP::buildCommandBar() {
    // Light grey faces, as the palette rather than a style sheet: cheaper at start-up.
    QPalette commandPalette = palette();
    commandPalette.setColor(QPalette::Button, QColor(192, 192, 192));
    commandPalette.setColor(QPalette::Window, QColor(192, 192, 192));
    for (const auto& command : commandBar) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(command.name));
        button->setText(QString::fromUtf8(command.caption));
        button->setToolTip(QString::fromUtf8(command.tooltip));
        button->setIcon(QIcon(picture(QLatin1String(command.icon), QSize(20, 20))));
        button->setIconSize(QSize(20, 20));
        button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        designed(button, twipsRect(command.left, 0, command.width, 615));
        m_commandIcons.emplace_back(button, command.icon);
        button->setPalette(commandPalette);
        button->setAutoFillBackground(true);
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }
    auto command = [this](const char* name) {
        return findChild<QToolButton*>(QString::fromLatin1(name));
    };
    connect(command("Command3"), &QToolButton::clicked, this, &FeuilleP::nouveau);
    connect(command("Command2"), &QToolButton::clicked, this, [this] {
        Ouvrir dialog(m_document, m_dessin);
        dialog.exec();
    });
    connect(command("Command11"), &QToolButton::clicked, this, [this] {
        Enregistrer dialog(m_document, this);
        dialog.exec();
    });
    connect(command("Command4"), &QToolButton::clicked, this, [this, command] {
        // At the mouse pointer for a click; under the button when its access key pressed it.
        QToolButton* copy = command("Command4");
        const bool byMouse = copy->rect().contains(copy->mapFromGlobal(QCursor::pos()));
        m_menucop->popup(byMouse ? QCursor::pos() : copy->mapToGlobal(QPoint(0, copy->height())));
    });
    connect(command("Command10"), &QToolButton::clicked, this, [this] {
        Confimp dialog(m_document, this);
        dialog.exec();
    });
    connect(command("Command8"), &QToolButton::clicked, this, [this] {
        Machine machine(this);
        machine.exec();
    });
    // The help and the course; F1 opens the help from every window.
    m_help = new ProgramHelp(m_programFolder, this);
    connect(command("Command9"), &QToolButton::clicked, m_help, &ProgramHelp::openCourse);
    connect(command("Command7"), &QToolButton::clicked, m_help, &ProgramHelp::openHelp);
    connect(command("Command1"), &QToolButton::clicked, this, &QWidget::close);
}

void FeuilleP::buildElementButtons() {
    for (int i = 0; i < ElementCount; ++i) {
        auto* button = new ElementButton(i, this);
        designed(button, twipsRect(120, elementButtonTopTwips(i), 1215, 525));
        connect(button, &QAbstractButton::clicked, this, [this, i] {
            const bool taken = model().click(i);
            // A click the model refused leaves the button as the model says.
            m_check1.at(static_cast<std::size_t>(i))->showValue(model().value(i));
            // The hint line says why the rules took pieces away.
            const QString reasons = taken ? switchOffReasons(model().lastSwitchOffs()) : QString();
            if (!reasons.isEmpty())
                showExplanation(reasons, m_check1.at(static_cast<std::size_t>(i)));
            else if (hint() == m_explanation)
                setHint(QString::fromUtf8(elementHint));
        });
        m_check1.at(static_cast<std::size_t>(i)) = button;
        button->setMouseTracking(true);
        button->installEventFilter(this);
    }
    // Keyboard order follows the screen, top to bottom.
    QWidget* previous = nullptr;
    for (int top = 840; top <= 7665; top += 525)
        for (auto* button : m_check1)
            if (elementButtonTopTwips(button->index()) == top) {
                if (previous) setTabOrder(previous, button);
                previous = button;
            }
}

namespace {
enum class PanelKind { NameLabel, Label, Line, Text };

struct PanelInfo {
    const char* name;
    PanelKind kind;
    int left;
    int top;
    int width;
    int height;
    double fontSize; // in bold, at this size; 0: the window's font
    bool boxed;      // centred in a filled box
    const char* picture;
    Qt::Alignment alignment;
};

// The right panel: the set-up's name, the hint line, the exercise tab, path and text, in the
// order they stack.
const PanelInfo rightPanel[] = {
    {"Label1", PanelKind::NameLabel, 6360, 1200, 5415, 375, 12, true, nullptr, {}},
    {"Image2", PanelKind::Label, 7080, 1800, 480, 480, 0, false, "info", {}},
    {"info", PanelKind::Label, 7680, 1800, 3495, 495, 0, true, nullptr, {}},
    {"BTEXO", PanelKind::Label, 6360, 2520, 1455, 285, 0, false, nullptr,
     Qt::AlignLeft | Qt::AlignTop},
    {"fich", PanelKind::Line, 7200, 2520, 4575, 285, 0, false, nullptr, {}},
    {"supertext", PanelKind::Text, 6360, 2805, 5415, 5370, 0, false, nullptr, {}},
    {"robi", PanelKind::Label, 10320, 2880, 480, 480, 0, false, nullptr, {}},
};

QWidget* makePanelItem(const PanelInfo& info, QWidget* parent) {
    const QRect geometry = twipsRect(info.left, info.top, info.width, info.height);
    QWidget* item = nullptr;
    QLabel* label = nullptr;
    switch (info.kind) {
    case PanelKind::NameLabel:
        item = label = new NameLabel(parent);
        break;
    case PanelKind::Label:
        item = label = new QLabel(parent);
        break;
    case PanelKind::Line:
        item = new QLineEdit(parent);
        break;
    case PanelKind::Text:
        item = new TextPanel(parent);
        break;
    }
    item->setObjectName(QString::fromLatin1(info.name));
    item->setGeometry(geometry);
    if (info.fontSize > 0) item->setFont(windowFont(info.fontSize, true));
    if (!label) return item;
    if (info.picture) label->setPixmap(picture(QLatin1String(info.picture), geometry.size()));
    if (info.alignment) label->setAlignment(info.alignment);
    if (info.boxed) {
        label->setAlignment(Qt::AlignCenter);
        label->setFrameShape(QFrame::Box);
        label->setAutoFillBackground(true);
    }
    return item;
}
} // namespace

void FeuilleP::buildRightPanel() {
    for (const PanelInfo& info : rightPanel)
        designed(makePanelItem(info, this),
                 twipsRect(info.left, info.top, info.width, info.height));
    auto item = [this]<typename T>(const char* name, T*& member) {
        member = findChild<T*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    };
    item("Label1", m_label1);
    item("Image2", m_image2);
    item("info", m_info);
    item("BTEXO", m_btexo);
    item("fich", m_fich);
    item("supertext", m_supertext);
    item("robi", m_robi);
    m_infoDesign = m_info->geometry();

    m_info->setWordWrap(true);
    // A pixel between the border and the text.
    m_info->setMargin(1);
    QPalette infoPalette = m_info->palette();
    infoPalette.setColor(QPalette::Window, infoPalette.color(QPalette::ToolTipBase));
    infoPalette.setColor(QPalette::WindowText, infoPalette.color(QPalette::ToolTipText));
    m_info->setPalette(infoPalette);

    m_btexo->setPixmap(exerciseTab(false));
    m_btexo->setCursor(Qt::PointingHandCursor);
    // Reached with Tab or its access key; Enter or Space pops its menu up.
    m_btexo->setFocusPolicy(Qt::StrongFocus);
    m_btexo->setAccessibleName(QStringLiteral("Exercices"));
    auto* exerciseKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_X), this);
    connect(exerciseKey, &QShortcut::activated, this, [this] {
        m_btexo->setFocus(Qt::ShortcutFocusReason);
        showExerciseMenu(true);
    });
    m_btexo->setMouseTracking(true);
    m_btexo->installEventFilter(this);
    // The tab stands over the left end of the path box, as a tab over its folder.
    m_btexo->raise();

    placePathText();
    // The box shows the session's file; the end of a long path is the part worth seeing.
    connect(m_fich, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_fich->end(false);
        m_exercise.setFich(text);
    });
    connect(&m_exercise, &ExerciseSession::fichChanged, m_fich, [this](const QString& path) {
        if (m_fich->text() != path) m_fich->setText(path);
    });

    m_supertext->setReadOnly(true);
    // Only a pupil's edits of an exercise statement count as a modified text.
    connect(m_supertext, &QTextEdit::textChanged, &m_exercise, &ExerciseSession::textEdited);

    m_robi->hide();

    m_menucop = new QMenu(QStringLiteral("menucop"), this);
    m_menucop->setObjectName(QStringLiteral("menucop"));
    QAction* withBackground = m_menucop->addAction(QStringLiteral("Copier le schéma avec le fond"));
    withBackground->setObjectName(QStringLiteral("avecfond"));
    connect(withBackground, &QAction::triggered, this, [this] {
        m_copyWithBackground = true;
        avecfond(m_document);
        setHint(messagecopie());
    });
    QAction* withoutBackground =
        m_menucop->addAction(QStringLiteral("Copier le schéma sans le fond"));
    withoutBackground->setObjectName(QStringLiteral("sansfond"));
    connect(withoutBackground, &QAction::triggered, this, [this] {
        m_copyWithBackground = false;
        sansfond(m_document);
        setHint(messagecopie());
    });
    QAction* labelled = m_menucop->addAction(QStringLiteral("Copier le schéma légendé"));
    labelled->setObjectName(QStringLiteral("avecnoms"));
    connect(labelled, &QAction::triggered, this, [this] {
        copyLabelledDrawing(m_document);
        setHint(messagecopie());
    });
    // The saved image has the background of the last copy (with it until one is made).
    QAction* saveImage = m_menucop->addAction(QStringLiteral("Enregistrer l'image…"));
    saveImage->setObjectName(QStringLiteral("enrimage"));
    connect(saveImage, &QAction::triggered, this, [this] {
        const QString setupFile = m_document.path();
        enregistrerImage(this, PictureOptions{model().values(), m_copyWithBackground},
                         setupFile.isEmpty() ? QString() : QFileInfo(setupFile).absolutePath(),
                         true);
    });

    // The exercise menu and what its commands work on.
    m_optionexo =
        new ExerciseMenu(ExerciseWorkspace{m_exercise, *m_supertext, m_document, *m_dessin, *this,
                                           [this] { ecritintro(); }, m_programFolder},
                         this);
    installCheckButton(m_label1, m_optionexo->checkAction());
}

void FeuilleP::fondessin() {
    m_document.paintBackground();
}

void FeuilleP::showSetup() {
    for (auto* button : m_check1) {
        button->showValue(model().value(button->index()));
        button->setEnabled(model().isEnabled(button->index()));
    }
    m_label1->setText(QString());
    m_timer1->stop();
    if (model().value(FioleAVide)) m_timer1->start();
    nomontage();
    m_dessin->update();
}

void FeuilleP::nomontage() {
    const QString name = recogniseSetup(model().values());
    QPalette pal = m_label1->palette();
    if (name.isEmpty()) {
        pal.setColor(QPalette::Window, Qt::white);
        pal.setColor(QPalette::WindowText, Qt::black);
    } else {
        m_label1->setText(name);
        fitName(m_label1);
        pal.setColor(QPalette::Window, QColor(0, 0, 128));
        pal.setColor(QPalette::WindowText, Qt::white);
    }
    m_label1->setPalette(pal);
}

QString FeuilleP::hint() const {
    return m_info->text();
}

void FeuilleP::setHint(const QString& text) {
    const QRect usual = placed(m_infoDesign);
    if (m_info->geometry() != usual) m_info->setGeometry(usual);
    if (text == m_info->text()) return;
    // A long hint is written smaller rather than cut at the box's edges.
    const int margin = m_info->margin();
    const QSize box = m_info->contentsRect().size() - QSize(2 * margin, 2 * margin);
    m_info->setFont(fittingFont(font(), text, box, 6 * m_scale->factor()));
    m_info->setText(text);
}

void FeuilleP::showExplanation(const QString& text, QObject* button) {
    setHint(text);
    m_explanation = text;
    m_explainedButton = button;
    // A reason is longer than a hint: the line grows down over the panel while it shows one.
    const int height = m_info->heightForWidth(m_info->width());
    if (height > m_info->height()) {
        m_info->resize(m_info->width(), height + m_scale->length(6));
        m_info->raise();
    }
}

void FeuilleP::ecritintro() {
    m_supertext->setReadOnly(true);
    m_supertext->hide();
    writeIntroduction(*m_supertext->document());
    m_supertext->show();
}

void FeuilleP::nouveau() {
    m_document.clear();
}

void FeuilleP::openSetupFile(const QString& path) {
    m_document.setPath(path);
    const bool loaded = QFileInfo(path).isFile()
                            ? chargemontage(m_document, m_dessin) == SetupReadStatus::Ok
                            : (showFileMessage(this, FileOutcome::BadPath), false);
    // A file that did not load is not the set-up's file: "Enregistrer" must not aim at it.
    if (!loaded) m_document.setPath(QString());
}

void FeuilleP::openExerciseFile(const QString& path) {
    m_optionexo->openFile(path);
}

void FeuilleP::showExerciseMenu(bool fromKeyboard) {
    m_optionexo->popupFor(mapToGlobal(QPoint(m_btexo->x(), m_btexo->y() + m_btexo->height())),
                          fromKeyboard);
}

void FeuilleP::hintFor(QObject* area) {
    const QString name = area->objectName();
    if (area == m_dessin) {
        setHint(QString::fromUtf8(dessinHint));
    } else if (area == m_btexo) {
        setHint(QString::fromUtf8(exerciseTabHint));
    } else if (qobject_cast<ElementButton*>(area)) {
        // A reason stays while the pointer is still on the button that gave it.
        if (area == m_explainedButton && hint() == m_explanation) return;
        setHint(QString::fromUtf8(elementHint));
    } else {
        for (const auto& command : commandBar) {
            if (name != QLatin1String(command.name)) continue;
            // The copy's confirmation stays while the pointer is still on "Co&pier".
            if (name == QLatin1String("Command4") && hint() == messagecopie()) return;
            setHint(QString::fromUtf8(command.hint));
        }
    }
}

bool FeuilleP::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) hintFor(watched);
    if (watched == m_btexo && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        showExerciseMenu(false);
    // A greyed element button takes no click: its click says why it is greyed.
    if (auto* button = qobject_cast<ElementButton*>(watched);
        button && !button->isEnabled() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        showExplanation(greyedReason(button->index(), model().values()), button);
        return true;
    }
    if (watched == m_btexo &&
        (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        m_btexo->setPixmap(exerciseTab(event->type() == QEvent::FocusIn));
    if (watched == m_btexo && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
            showExerciseMenu(true);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FeuilleP::mouseMoveEvent(QMouseEvent* event) {
    // Only the bare window background: moves over a child reach here when the child ignores
    // them, and the child has already written its own hint (or none).
    if (!childAt(event->position().toPoint())) setHint(QString::fromUtf8(backgroundHint));
    QWidget::mouseMoveEvent(event);
}

void FeuilleP::tickWater() {
    auto* random = QRandomGenerator::global();
    const double r1 = random->generateDouble();
    const double r2 = random->generateDouble();
    const double r3 = random->generateDouble();
    const double r4 = random->generateDouble();
    m_document.surface().drawWaterLine(r1, r2, r3, r4);
    const qreal zoom = m_dessin->zoom();
    m_dessin->update(
        QRectF(twips(3900) * zoom, twips(5700) * zoom, twips(180) * zoom, twips(1650) * zoom)
            .toAlignedRect());
}

void FeuilleP::paintEvent(QPaintEvent* event) {
    if (!m_flagWritten) QTimer::singleShot(0, this, &FeuilleP::writeRunningFlag);
    QPainter painter(this);
    // The gradient covers the whole client area, row by row: one filled box per row of the
    // dirty rectangle (a cached picture of the whole gradient would hold megabytes for the
    // program's life).
    const QSize cover = size().expandedTo(QSize(801, 601));
    const QRect dirty = event->rect();
    for (int y = std::max(0, dirty.top()); y <= std::min(cover.height() - 1, dirty.bottom()); ++y) {
        const int g = gradientLine(y, height());
        const int m = nearest(255 - g / 600.0 * 55);
        const int k = nearest(255 - g / 600.0 * 75);
        painter.fillRect(QRect(0, y, cover.width(), 1), QColor(m, m, k));
    }
    // The shadow of the exercise row and the text panel.
    const QRect panel = m_supertext->geometry();
    const int shade = m_scale->length(3);
    painter.fillRect(QRect(QPoint(panel.left() + shade, m_fich->geometry().top() + shade),
                           QPoint(panel.right() + shade, panel.bottom() + shade)),
                     QColor(128, 128, 128));
    // The caption over the name box: a light shadow under olive text.
    painter.setFont(m_scale->font(windowFont(16)));
    const QString caption = QStringLiteral("Nom du montage actuel:");
    const QRect big = m_scale->rect(QRect(0, 0, 2000, 200));
    painter.setPen(QColor(192, 192, 192));
    const QPoint at = placed(QRect(500, 50, 1, 1)).topLeft();
    const int lift = m_scale->length(2);
    painter.drawText(big.translated(at + QPoint(lift, lift)), Qt::AlignLeft | Qt::AlignTop,
                     caption);
    painter.setPen(QColor(128, 128, 0));
    painter.drawText(big.translated(at), Qt::AlignLeft | Qt::AlignTop, caption);
}

bool FeuilleP::askToClose() {
    if (!askDiscardEdits(m_exercise, this)) return false;
    if (QMessageBox::question(this, QStringLiteral("Fermer"), QStringLiteral("Fermer Alambix ?"),
                              QMessageBox::Ok | QMessageBox::Cancel,
                              QMessageBox::Ok) != QMessageBox::Ok)
        return false;
    // An exercise being made asks about its own unsaved changes.
    return m_optionexo->closeEditors();
}

void FeuilleP::closeEvent(QCloseEvent* event) {
    if (m_unloaded) {
        event->accept();
        return;
    }
    if (!askToClose()) {
        event->ignore();
        return;
    }
    event->accept();
    unload();
}

void FeuilleP::writeRunningFlag() {
    if (m_flagWritten || m_unloaded) return;
    m_flagWritten = true;
    writeFlagFile(m_programFolder, QStringLiteral("OUI"));
}

void FeuilleP::unload() {
    m_unloaded = true;
    m_timer1->stop();
    writeFlagFile(m_programFolder, QStringLiteral("NON"));
    // Every other window goes with the main window, without its own closing questions.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->isVisible()) window->hide();
    QCoreApplication::quit();
}

void FeuilleP::applySmallScreenRule() {
    if (m_applyingScreenRule || !screen()) return;
    const auto frame = smallScreenFrame(screen()->geometry());
    if (!frame) return;
    m_applyingScreenRule = true;
    if (windowState() != Qt::WindowNoState) setWindowState(Qt::WindowNoState);
    const QRect outer = frameGeometry();
    const QSize margins = outer.size() - size();
    const QSize inner = frame->size() - margins;
    if (size() != inner) resize(inner);
    if (outer.topLeft() != frame->topLeft()) move(frame->topLeft());
    m_applyingScreenRule = false;
}

void FeuilleP::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    applySmallScreenRule();
    placeContent();
}

void FeuilleP::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // The window manager tells the frame's size only once the window is on the screen, by
    // moving it into its frame: the whole frame must then fit on a small screen.
    applySmallScreenRule();
}

void FeuilleP::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        QTimer::singleShot(0, this, &FeuilleP::applySmallScreenRule);
}

void FeuilleP::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    applySmallScreenRule();
}

} // namespace alambix
