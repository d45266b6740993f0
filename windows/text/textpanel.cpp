#include "windows/text/textpanel.h"

#include "core/chemicalformula.h"
#include "session/formulaformatting.h"
#include "session/picturedisplay.h"
#include "session/typingformat.h"
#include "windows/text/formatbar.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>

namespace alambix {

TextPanel::TextPanel(QWidget* parent) : QTextEdit(parent) {
    showPicturesSmoothly(*document());
}

bool TextPanel::event(QEvent* event) {
    const bool handled = QTextEdit::event(event);
    if (event->type() == QEvent::ReadOnlyChange) editableChanged();
    return handled;
}

void TextPanel::editableChanged() {
    const bool editable = !isReadOnly();
    if (editable && !m_bar) {
        // Built here, not at start: the first window shows the introduction, read-only.
        m_bar = new FormatBar(*this, this);
        if (QWidget* container = verticalScrollBar()->parentWidget(); container != this)
            container->installEventFilter(this);
        auto* toBar = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F10), this);
        toBar->setContext(Qt::WidgetWithChildrenShortcut);
        connect(toBar, &QShortcut::activated, m_bar, &FormatBar::takeFocus);
        // Queued: the editor sets its own format for the new place after telling of the move.
        connect(this, &QTextEdit::cursorPositionChanged, this, &TextPanel::adjustTypingFormat,
                Qt::QueuedConnection);
    }
    if (!m_bar) return;
    m_bar->setVisible(editable);
    // The bar's shortcuts act on an editable text only.
    for (QAction* action : m_bar->findChildren<QAction*>())
        action->setEnabled(editable);
    if (editable) {
        m_bar->refresh();
        m_bar->findChild<QAction*>(QStringLiteral("annuler"))
            ->setEnabled(document()->isUndoAvailable());
        m_bar->findChild<QAction*>(QStringLiteral("retablir"))
            ->setEnabled(document()->isRedoAvailable());
        adjustTypingFormat();
    }
    placeBar();
}

void TextPanel::placeBar() {
    const bool shown = m_bar && !isReadOnly();
    const int height = shown ? m_bar->sizeHint().height() : 0;
    setViewportMargins(0, height, 0, 0);
    if (shown) {
        const int frame = frameWidth();
        m_bar->setGeometry(frame, frame, width() - 2 * frame, height);
    }
    placeScrollBar();
}

// The scroll area lays its scroll bar along the whole frame: it goes under the bar.
void TextPanel::placeScrollBar() {
    QWidget* container = verticalScrollBar()->parentWidget();
    if (!container || container == this) return;
    const int top = frameWidth() + (m_bar && !isReadOnly() ? m_bar->height() : 0);
    const QRect area = container->geometry();
    const int bottom = area.bottom();
    if (area.top() != top && bottom > top)
        container->setGeometry(area.left(), top, area.width(), bottom - top + 1);
}

bool TextPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) placeScrollBar();
    return QTextEdit::eventFilter(watched, event);
}

void TextPanel::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    placeBar();
}

void TextPanel::adjustTypingFormat() {
    if (isReadOnly()) return;
    const QTextCursor cursor = textCursor();
    m_adjustedAt = {cursor.position(), document()->characterCount()};
    if (const auto format = typingFormatAt(cursor, bodyFormat(*document())))
        setCurrentCharFormat(*format);
}

void TextPanel::keyPressEvent(QKeyEvent* event) {
    const bool endsWord = !isReadOnly() && m_bar && m_bar->formatsAsTyped() &&
                          ((event->text().size() == 1 && endsTypedWord(event->text()[0])) ||
                           event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter);
    const int before = document()->characterCount();
    // A key typed before the queued adjustment ran, or where a document was loaded under the
    // cursor: the format is worked out first. A format chosen since (Ctrl+B in an empty
    // paragraph) stays.
    if (m_bar && !event->text().isEmpty() && event->text()[0].isPrint() &&
        m_adjustedAt != std::pair(textCursor().position(), before))
        adjustTypingFormat();
    QTextEdit::keyPressEvent(event);
    // Only a character that went into the text ends a word.
    if (endsWord && document()->characterCount() > before && !textCursor().hasSelection())
        formatTypedFormula(*document(), textCursor().position());
}

void TextPanel::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu(event->pos());
    if (m_bar && !isReadOnly())
        m_bar->addToContextMenu(*menu, menu->findChild<QAction*>(QStringLiteral("edit-paste")));
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace alambix
