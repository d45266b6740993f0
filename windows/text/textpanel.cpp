#include "windows/text/textpanel.h"

#include "core/chemicalformula.h"
#include "session/formulaformatting.h"
#include "session/picturedisplay.h"
#include "session/typingformat.h"
#include "windows/common/windowscale.h"
#include "windows/text/formatbar.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QShortcut>
#include <QTextBlock>

namespace alambix {

// The viewport's screen, with `zoom` times its dots per inch: text laid out for it has its
// point sizes that many times larger in pixels.
class TextPanel::ZoomedScreen : public QPaintDevice {
public:
    ZoomedScreen(const QWidget& screen, qreal zoom) : m_screen(screen), m_zoom(zoom) {}
    QPaintEngine* paintEngine() const override { return nullptr; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return m_screen.width();
        case PdmHeight:
            return m_screen.height();
        case PdmWidthMM:
            return m_screen.widthMM();
        case PdmHeightMM:
            return m_screen.heightMM();
        case PdmNumColors:
            return m_screen.colorCount();
        case PdmDepth:
            return m_screen.depth();
        case PdmDpiX:
            return qRound(m_screen.logicalDpiX() * m_zoom);
        case PdmDpiY:
            return qRound(m_screen.logicalDpiY() * m_zoom);
        case PdmPhysicalDpiX:
            return qRound(m_screen.physicalDpiX() * m_zoom);
        case PdmPhysicalDpiY:
            return qRound(m_screen.physicalDpiY() * m_zoom);
        case PdmDevicePixelRatio:
            return qRound(m_screen.devicePixelRatioF());
        case PdmDevicePixelRatioScaled:
            return qRound(m_screen.devicePixelRatioF() * devicePixelRatioFScale());
        }
        return 0;
    }

private:
    const QWidget& m_screen;
    qreal m_zoom;
};

TextPanel::TextPanel(QWidget* parent) : QTextEdit(parent) {
    showPicturesSmoothly(*document());
    // The window's font of the design, held: it is the document's default font, which must not
    // change when the window's font grows (the zoom makes the text grow). Its size is made the
    // panel's own, whatever the font it came from had set.
    QFont design = font();
    design.setPointSizeF(design.pointSizeF());
    setFont(design);
    // Grows with the window.
    if (WindowScale* scale = WindowScale::of(parent))
        connect(scale, &WindowScale::factorChanged, this, &TextPanel::setZoom);
}

TextPanel::~TextPanel() = default;

void TextPanel::setZoom(qreal zoom) {
    if (zoom == m_zoom) return;
    m_zoom = zoom;
    m_zoomedScreen.reset(zoom == 1 ? nullptr : new ZoomedScreen(*viewport(), zoom));
    QTextDocument* text = document();
    text->documentLayout()->setPaintDevice(
        m_zoomedScreen ? static_cast<QPaintDevice*>(m_zoomedScreen.get()) : viewport());
    // Laid out again: no edit, so the text does not count as changed.
    text->markContentsDirty(0, text->characterCount());
    if (m_bar) m_bar->setScale(zoom);
    placeBar();
    viewport()->update();
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
        if (m_zoom != 1) m_bar->setScale(m_zoom);
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
