#include "windows/text/formatbar.h"

#include "session/formulaformatting.h"
#include "windows/text/formaticons.h"
#include "windows/text/symbolpicker.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QToolButton>

#include <algorithm>
#include <array>

namespace alambix {

namespace {

struct TextColour {
    const char* name;
    const char* caption;
    QRgb rgb;
};

// "Automatique" (no colour of its own: the text's, black) first.
const std::array<TextColour, 7> textColours{{
    {"automatique", "Automatique", 0},
    {"rouge", "Rouge", qRgb(200, 0, 0)},
    {"bleu", "Bleu", qRgb(0, 0, 200)},
    {"vert", "Vert", qRgb(0, 128, 0)},
    {"orange", "Orange", qRgb(230, 115, 0)},
    {"violet", "Violet", qRgb(128, 0, 160)},
    {"gris", "Gris", qRgb(110, 110, 110)},
}};

const std::array<int, 11> fontSizes{8, 9, 10, 11, 12, 14, 16, 18, 20, 24, 28};

struct Alignment {
    const char* name;
    const char* caption;
    const char* shortcut;
    Qt::Alignment alignment;
    FormatPicture picture;
};

const std::array<Alignment, 4> alignments{{
    {"gauche", "Aligner à gauche", "Ctrl+L", Qt::AlignLeft, FormatPicture::AlignLeft},
    {"centre", "Centrer", "Ctrl+E", Qt::AlignHCenter, FormatPicture::AlignCentre},
    {"droite", "Aligner à droite", "Ctrl+R", Qt::AlignRight, FormatPicture::AlignRight},
    {"justifie", "Justifier", "Ctrl+J", Qt::AlignJustify, FormatPicture::AlignJustify},
}};

bool isWordCharacter(QChar c) {
    return c.isLetterOrNumber();
}

// The text a character format goes to: the selection, else the word the cursor stands inside
// (as word processors do); nothing when the cursor stands between words, where it is the format
// of what is typed next.
QTextCursor formatTarget(const QTextEdit& editor, bool wholeWord) {
    QTextCursor cursor = editor.textCursor();
    if (cursor.hasSelection() || !wholeWord) return cursor;
    const QString text = cursor.block().text();
    const int at = cursor.positionInBlock();
    if (at > 0 && at < text.size() && isWordCharacter(text[at - 1]) && isWordCharacter(text[at]))
        cursor.select(QTextCursor::WordUnderCursor);
    return cursor;
}

void mergeFormat(QTextEdit& editor, const QTextCharFormat& format, bool wholeWord) {
    QTextCursor target = formatTarget(editor, wholeWord);
    if (target.hasSelection()) target.mergeCharFormat(format);
    editor.mergeCurrentCharFormat(format);
}

// "Automatique": the text's own colour is taken away, so that it is the panel's (and the
// printer's) black; other formats stay.
void clearColour(QTextEdit& editor) {
    QTextCursor target = formatTarget(editor, true);
    if (target.hasSelection()) {
        QTextDocument& document = *editor.document();
        const int start = target.selectionStart();
        const int end = target.selectionEnd();
        struct Range {
            int from;
            int to;
            QTextCharFormat format;
        };
        QList<Range> coloured;
        for (QTextBlock block = document.findBlock(start);
             block.isValid() && block.position() < end; block = block.next())
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                const int from = std::max(start, fragment.position());
                const int to = std::min(end, fragment.position() + fragment.length());
                QTextCharFormat format = fragment.charFormat();
                if (from >= to || !format.hasProperty(QTextFormat::ForegroundBrush)) continue;
                format.clearForeground();
                coloured.append({from, to, format});
            }
        QTextCursor edit(&document);
        edit.beginEditBlock();
        for (const Range& range : std::as_const(coloured)) {
            edit.setPosition(range.from);
            edit.setPosition(range.to, QTextCursor::KeepAnchor);
            edit.setCharFormat(range.format);
        }
        edit.endEditBlock();
        return;
    }
    QTextCharFormat format = editor.currentCharFormat();
    format.clearForeground();
    editor.setCurrentCharFormat(format);
}

void toggleList(QTextEdit& editor) {
    QTextCursor cursor = editor.textCursor();
    cursor.beginEditBlock();
    if (QTextList* list = cursor.currentList()) {
        // The paragraphs of the selection leave the list.
        QTextDocument& document = *editor.document();
        const QTextBlock last = document.findBlock(cursor.selectionEnd());
        for (QTextBlock block = document.findBlock(cursor.selectionStart()); block.isValid();
             block = block.next()) {
            if (block.textList() == list) {
                list->remove(block);
                QTextCursor at(block);
                QTextBlockFormat format = block.blockFormat();
                format.setIndent(0);
                at.setBlockFormat(format);
            }
            if (block == last) break;
        }
    } else {
        QTextListFormat format;
        format.setStyle(QTextListFormat::ListDisc);
        format.setIndent(1);
        cursor.createList(format);
    }
    cursor.endEditBlock();
}

} // namespace

FormatBar::FormatBar(QTextEdit& editor, QWidget* parent)
    : QToolBar(QStringLiteral("Mise en forme"), parent), m_editor(editor),
      m_lastColour(textColours[1].rgb) {
    setObjectName(QStringLiteral("miseenforme"));
    setAccessibleName(QStringLiteral("Mise en forme"));
    setMovable(false);
    setFloatable(false);

    const auto command = [this](const char* name, const char* text, const char* shortcutText,
                                const QList<QKeySequence>& shortcuts) {
        return addCommand(name, QString::fromUtf8(text), QString::fromUtf8(shortcutText),
                          shortcuts);
    };
    QAction* undo = command("annuler", "Annuler", "Ctrl+Z", {});
    QAction* redo = command("retablir", "Rétablir", "Ctrl+Y", {QKeySequence(Qt::CTRL | Qt::Key_Y)});
    undo->setIcon(formatIcon(FormatPicture::Undo));
    redo->setIcon(formatIcon(FormatPicture::Redo));
    connect(undo, &QAction::triggered, &m_editor, &QTextEdit::undo);
    connect(redo, &QAction::triggered, &m_editor, &QTextEdit::redo);
    connect(m_editor.document(), &QTextDocument::undoAvailable, undo, &QAction::setEnabled);
    connect(m_editor.document(), &QTextDocument::redoAvailable, redo, &QAction::setEnabled);

    QAction* bold = command("gras", "Gras", "Ctrl+B", {QKeySequence(Qt::CTRL | Qt::Key_B)});
    QAction* italic =
        command("italique", "Italique", "Ctrl+I", {QKeySequence(Qt::CTRL | Qt::Key_I)});
    QAction* underline =
        command("souligne", "Souligné", "Ctrl+U", {QKeySequence(Qt::CTRL | Qt::Key_U)});
    // Subscript and superscript as in LibreOffice, and as in Word where the keyboard has "=".
    QAction* subscript = command(
        "indice", "Indice", "Ctrl+Maj+B",
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction* superscript = command("exposant", "Exposant", "Ctrl+Maj+P",
                                   {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Equal),
                                    QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Plus),
                                    QKeySequence(Qt::CTRL | Qt::Key_Plus)});
    bold->setIcon(formatIcon(FormatPicture::Bold));
    italic->setIcon(formatIcon(FormatPicture::Italic));
    underline->setIcon(formatIcon(FormatPicture::Underline));
    subscript->setIcon(formatIcon(FormatPicture::Subscript));
    superscript->setIcon(formatIcon(FormatPicture::Superscript));
    for (QAction* toggle : {bold, italic, underline, subscript, superscript})
        toggle->setCheckable(true);
    connect(bold, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        applyFormat(format, true);
    });
    connect(italic, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        applyFormat(format, true);
    });
    connect(underline, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        applyFormat(format, true);
    });
    // A subscript is a character or two, never the whole word ("H2O").
    const auto script = [this](QTextCharFormat::VerticalAlignment alignment, bool on) {
        QTextCharFormat format;
        format.setVerticalAlignment(on ? alignment : QTextCharFormat::AlignNormal);
        applyFormat(format, false);
    };
    connect(subscript, &QAction::triggered, this,
            [script](bool on) { script(QTextCharFormat::AlignSubScript, on); });
    connect(superscript, &QAction::triggered, this,
            [script](bool on) { script(QTextCharFormat::AlignSuperScript, on); });

    QAction* list = command("puces", "Liste à puces", "Ctrl+Maj+L",
                            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L)});
    list->setIcon(formatIcon(FormatPicture::BulletList));
    list->setCheckable(true);
    connect(list, &QAction::triggered, this, [this] { toggleList(m_editor); });

    QAction* formula = command("formule", "Formule chimique", "Ctrl+Maj+F",
                               {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F)});
    formula->setIcon(formatIcon(FormatPicture::Formula));
    connect(formula, &QAction::triggered, this,
            [this] { formatFormulaeAt(m_editor.textCursor()); });
    QAction* asTyped = command("formuleauto", "Mettre en forme les formules en tapant", "", {});
    asTyped->setCheckable(true);
    asTyped->setChecked(true);
    asTyped->setToolTip(asTyped->text());

    QAction* plainPaste = command("collertexte", "Coller sans la mise en forme", "Ctrl+Maj+V",
                                  {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)});
    connect(plainPaste, &QAction::triggered, this, [this] {
        const QMimeData* clipboard = QApplication::clipboard()->mimeData();
        if (clipboard && clipboard->hasText()) m_editor.insertPlainText(clipboard->text());
    });

    buildMenus();
    buildButtons();
    setScale(1);

    connect(&m_editor, &QTextEdit::currentCharFormatChanged, this, &FormatBar::refresh);
    connect(&m_editor, &QTextEdit::cursorPositionChanged, this, &FormatBar::refresh);
    undo->setEnabled(m_editor.document()->isUndoAvailable());
    redo->setEnabled(m_editor.document()->isRedoAvailable());
    refresh();
}

QAction* FormatBar::addCommand(const char* name, const QString& text, const QString& shortcutText,
                               const QList<QKeySequence>& shortcuts) {
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(shortcuts);
    // The shortcuts work while the panel or its bar has the keyboard.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    if (!shortcutText.isEmpty())
        action->setToolTip(text + QStringLiteral(" (") + shortcutText + u')');
    m_editor.addAction(action);
    // After a click on the bar the pupil goes on typing.
    connect(action, &QAction::triggered, &m_editor,
            [this] { m_editor.setFocus(Qt::OtherFocusReason); });
    return action;
}

void FormatBar::buildMenus() {
    m_colourMenu = new QMenu(QStringLiteral("Couleur du texte"), this);
    m_colourMenu->setObjectName(QStringLiteral("couleurs"));
    auto* colourGroup = new QActionGroup(this);
    for (const TextColour& colour : textColours) {
        QAction* action = m_colourMenu->addAction(QString::fromUtf8(colour.caption));
        action->setObjectName(QString::fromLatin1(colour.name));
        action->setCheckable(true);
        action->setActionGroup(colourGroup);
        const QColor value = colour.rgb ? QColor(colour.rgb) : QColor();
        action->setIcon(formatIcon(FormatPicture::TextColour, value));
        connect(action, &QAction::triggered, this, [this, value] {
            setColour(value);
            m_editor.setFocus(Qt::OtherFocusReason);
        });
    }

    m_sizeMenu = new QMenu(QStringLiteral("Taille"), this);
    m_sizeMenu->setObjectName(QStringLiteral("tailles"));
    auto* sizeGroup = new QActionGroup(this);
    for (int size : fontSizes) {
        QAction* action = m_sizeMenu->addAction(QString::number(size));
        action->setObjectName(QStringLiteral("taille%1").arg(size));
        action->setCheckable(true);
        action->setActionGroup(sizeGroup);
        connect(action, &QAction::triggered, this,
                [this, size] { applySize(QString::number(size)); });
    }

    m_alignMenu = new QMenu(QStringLiteral("Alignement"), this);
    m_alignMenu->setObjectName(QStringLiteral("alignements"));
    auto* alignGroup = new QActionGroup(this);
    for (const Alignment& alignment : alignments) {
        QAction* action = addCommand(alignment.name, QString::fromUtf8(alignment.caption),
                                     QString::fromLatin1(alignment.shortcut),
                                     {QKeySequence(QString::fromLatin1(alignment.shortcut))});
        action->setIcon(formatIcon(alignment.picture));
        action->setCheckable(true);
        action->setActionGroup(alignGroup);
        m_alignMenu->addAction(action);
        const Qt::Alignment value = alignment.alignment;
        connect(action, &QAction::triggered, this, [this, value] { m_editor.setAlignment(value); });
    }

    m_symbolMenu = new QMenu(QStringLiteral("Insérer un symbole"), this);
    m_symbolMenu->setObjectName(QStringLiteral("symboles"));
    m_symbolMenu->setIcon(formatIcon(FormatPicture::Symbol));
    auto* symbols = new SymbolAction(this);
    symbols->setObjectName(QStringLiteral("grillesymboles"));
    connect(symbols, &SymbolAction::chosen, this, [this](const QString& symbol) {
        m_editor.insertPlainText(symbol);
        m_editor.setFocus(Qt::OtherFocusReason);
    });
    m_symbolMenu->addAction(symbols);

    m_formulaMenu = new QMenu(this);
    m_formulaMenu->addAction(action(QStringLiteral("formuleauto")));
}

void FormatBar::buildButtons() {
    addAction(action(QStringLiteral("annuler")));
    addAction(action(QStringLiteral("retablir")));
    for (const char* name : {"gras", "italique", "souligne", "indice", "exposant"})
        addAction(action(QString::fromLatin1(name)));

    auto* colour = new QToolButton(this);
    colour->setObjectName(QStringLiteral("couleur"));
    colour->setPopupMode(QToolButton::MenuButtonPopup);
    colour->setMenu(m_colourMenu);
    colour->setIcon(formatIcon(FormatPicture::TextColour, m_lastColour));
    colour->setToolTip(QStringLiteral("Couleur du texte"));
    colour->setAccessibleName(QStringLiteral("Couleur du texte"));
    // A click gives the colour chosen last, the arrow the others.
    connect(colour, &QToolButton::clicked, this, [this] {
        setColour(m_lastColour);
        m_editor.setFocus(Qt::OtherFocusReason);
    });
    addWidget(colour);

    // The size at the cursor, and the sizes to choose from.
    m_size = new QToolButton(this);
    m_size->setObjectName(QStringLiteral("taille"));
    m_size->setPopupMode(QToolButton::InstantPopup);
    m_size->setToolButtonStyle(Qt::ToolButtonTextOnly);
    m_size->setMenu(m_sizeMenu);
    m_size->setToolTip(QStringLiteral("Taille des caractères"));
    m_size->setAccessibleName(QStringLiteral("Taille des caractères"));
    addWidget(m_size);

    auto* align = new QToolButton(this);
    align->setObjectName(QStringLiteral("alignement"));
    align->setPopupMode(QToolButton::InstantPopup);
    align->setMenu(m_alignMenu);
    align->setToolTip(QStringLiteral("Alignement"));
    align->setAccessibleName(QStringLiteral("Alignement"));
    align->setIcon(formatIcon(FormatPicture::AlignLeft));
    addWidget(align);
    addAction(action(QStringLiteral("puces")));

    auto* symbol = new QToolButton(this);
    symbol->setObjectName(QStringLiteral("symbole"));
    symbol->setPopupMode(QToolButton::InstantPopup);
    symbol->setMenu(m_symbolMenu);
    symbol->setIcon(m_symbolMenu->icon());
    symbol->setToolTip(QStringLiteral("Insérer un symbole"));
    symbol->setAccessibleName(QStringLiteral("Insérer un symbole"));
    addWidget(symbol);

    auto* formula = new QToolButton(this);
    formula->setPopupMode(QToolButton::MenuButtonPopup);
    formula->setDefaultAction(action(QStringLiteral("formule")));
    formula->setMenu(m_formulaMenu);
    addWidget(formula);

    // Every button can be reached with Tab once the bar has the keyboard.
    for (QToolButton* button : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        button->setFocusPolicy(Qt::TabFocus);
}

QAction* FormatBar::action(const QString& name) const {
    return findChild<QAction*>(name);
}

void FormatBar::addToContextMenu(QMenu& menu, QAction* paste) const {
    QAction* plainPaste = action(QStringLiteral("collertexte"));
    plainPaste->setEnabled(paste ? paste->isEnabled() : m_editor.canPaste());
    const QList<QAction*> standard = menu.actions();
    const qsizetype afterPaste = standard.indexOf(paste) + 1;
    if (paste && afterPaste < standard.size())
        menu.insertAction(standard[afterPaste], plainPaste);
    else
        menu.addAction(plainPaste);
    menu.addSeparator();
    for (const char* name : {"gras", "italique", "souligne", "indice", "exposant"})
        menu.addAction(action(QString::fromLatin1(name)));
    menu.addMenu(m_colourMenu);
    menu.addMenu(m_sizeMenu);
    menu.addMenu(m_alignMenu);
    menu.addAction(action(QStringLiteral("puces")));
    menu.addSeparator();
    menu.addMenu(m_symbolMenu);
    menu.addAction(action(QStringLiteral("formule")));
    menu.addAction(action(QStringLiteral("formuleauto")));
}

bool FormatBar::formatsAsTyped() const {
    return action(QStringLiteral("formuleauto"))->isChecked();
}

void FormatBar::takeFocus() {
    for (QToolButton* button : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        if (button->isVisible() && button->isEnabled()) {
            button->setFocus(Qt::ShortcutFocusReason);
            return;
        }
}

void FormatBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        m_editor.setFocus(Qt::ShortcutFocusReason);
        return;
    }
    QToolBar::keyPressEvent(event);
}

void FormatBar::applyFormat(const QTextCharFormat& format, bool wholeWord) {
    mergeFormat(m_editor, format, wholeWord);
    refresh();
}

void FormatBar::applySize(const QString& text) {
    bool ok = false;
    const double size = text.toDouble(&ok);
    if (ok && size >= 4 && size <= 96) {
        QTextCharFormat format;
        format.setFontPointSize(size);
        applyFormat(format, true);
    }
    m_editor.setFocus(Qt::OtherFocusReason);
}

void FormatBar::setColour(const QColor& colour) {
    if (!colour.isValid()) {
        clearColour(m_editor);
        refresh();
        return;
    }
    m_lastColour = colour;
    if (auto* button = findChild<QToolButton*>(QStringLiteral("couleur")))
        button->setIcon(formatIcon(FormatPicture::TextColour, colour));
    QTextCharFormat format;
    format.setForeground(colour);
    applyFormat(format, true);
}

void FormatBar::setScale(qreal scale) {
    // The panel keeps the design's font for its text; the bar's grows.
    QFont font = parentWidget()->font();
    font.setPointSizeF(font.pointSizeF() * scale);
    setFont(font);
    const QSize icon(qRound(16 * scale), qRound(16 * scale));
    setIconSize(icon);
    // The buttons with a menu are the bar's widgets: they take the size themselves.
    for (QToolButton* button : findChildren<QToolButton*>(Qt::FindDirectChildrenOnly))
        button->setIconSize(icon);
    // Tight, so that the whole bar fits the panel's width.
    layout()->setSpacing(std::max(1, qRound(scale)));
    m_size->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("00")) +
                            qRound(12 * scale));
}

void FormatBar::refresh() {
    // A selection shows the format of its first character, a cursor what it types.
    const QTextCursor cursor = m_editor.textCursor();
    QTextCharFormat format = m_editor.currentCharFormat();
    if (cursor.hasSelection()) {
        QTextCursor first(m_editor.document());
        first.setPosition(cursor.selectionStart() + 1);
        format = first.charFormat();
    }
    action(QStringLiteral("gras"))->setChecked(format.fontWeight() >= QFont::DemiBold);
    action(QStringLiteral("italique"))->setChecked(format.fontItalic());
    action(QStringLiteral("souligne"))->setChecked(format.fontUnderline());
    action(QStringLiteral("indice"))
        ->setChecked(format.verticalAlignment() == QTextCharFormat::AlignSubScript);
    action(QStringLiteral("exposant"))
        ->setChecked(format.verticalAlignment() == QTextCharFormat::AlignSuperScript);
    action(QStringLiteral("puces"))->setChecked(cursor.currentList() != nullptr);

    const double points = format.hasProperty(QTextFormat::FontPointSize)
                              ? format.fontPointSize()
                              : m_editor.document()->defaultFont().pointSizeF();
    const QString size = QString::number(points);
    m_size->setText(size);
    for (QAction* item : m_sizeMenu->actions())
        item->setChecked(item->text() == size);

    const bool coloured = format.hasProperty(QTextFormat::ForegroundBrush);
    for (QAction* item : m_colourMenu->actions()) {
        const auto it = std::find_if(textColours.begin(), textColours.end(), [item](const auto& c) {
            return item->objectName() == QLatin1String(c.name);
        });
        item->setChecked(coloured ? it->rgb && format.foreground().color().rgb() == it->rgb
                                  : !it->rgb);
    }

    // A paragraph without an alignment of its own is aligned left.
    const Qt::Alignment current = m_editor.alignment();
    const char* aligned = current & Qt::AlignHCenter   ? "centre"
                          : current & Qt::AlignRight   ? "droite"
                          : current & Qt::AlignJustify ? "justifie"
                                                       : "gauche";
    QAction* alignment = action(QString::fromLatin1(aligned));
    if (!alignment->isChecked()) {
        alignment->setChecked(true);
        if (auto* button = findChild<QToolButton*>(QStringLiteral("alignement")))
            button->setIcon(alignment->icon());
    }
}

} // namespace alambix
