// The main window at any size: its content grows with the window, in proportion, centred; on a
// window of the design's size nothing moves and nothing is drawn again.
#include "windows/main/feuillep_window.h"

#include "assets/assets.h"
#include "drawing/fonts.h"
#include "windows/common/windowscale.h"
#include "windows/main/checkbutton.h"
#include "windows/main/dessin_widget.h"
#include "windows/main/elementbutton.h"
#include "windows/main/windowlayout.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextEdit>
#include <QToolButton>

namespace alambix {

qreal FeuilleP::contentScale() const {
    return m_scale->factor();
}

void FeuilleP::designed(QWidget* widget, const QRect& design) {
    m_designed.emplace_back(widget, design);
    widget->setGeometry(placed(design));
}

QRect FeuilleP::placed(const QRect& design) const {
    return m_scale->rect(design).translated(m_contentOffset);
}

void FeuilleP::placeContent() {
    const qreal scale = alambix::contentScale(size());
    const QPoint offset = alambix::contentOffset(size(), scale);
    if (scale != m_scale->factor()) {
        m_contentOffset = offset;
        applyScale(scale);
        update();
        return;
    }
    if (offset == m_contentOffset) return;
    // The same size elsewhere: everything moves as one block, as it stands.
    const QPoint delta = offset - m_contentOffset;
    m_contentOffset = offset;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow()) child->move(child->pos() + delta);
    update();
}

void FeuilleP::applyScale(qreal scale) {
    // The controls that write in the window's font follow it.
    setFont(windowFont(8.25 * scale));
    m_dessin->setZoom(scale);
    for (ElementButton* button : m_check1)
        button->setScale(scale);
    for (const auto& [widget, design] : m_designed)
        widget->setGeometry(scaledRect(design, scale).translated(m_contentOffset));
    // Pictures drawn again at their new size, never stretched.
    const QSize icon(qRound(20 * scale), qRound(20 * scale));
    for (const auto& [button, name] : m_commandIcons) {
        button->setIcon(
            QIcon(renderPicture(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(name)), icon)));
        button->setIconSize(icon);
    }
    m_image2->setPixmap(renderPicture(QStringLiteral(":/icons/info.svg"), m_image2->size()));
    m_info->setMargin(std::max(1, qRound(scale)));
    // What others built in the window follows: the text panel, the check button and its box.
    m_scale->setFactor(scale);
    m_btexo->setPixmap(exerciseTab(m_btexo->hasFocus()));
    placePathText();
    fitName(m_label1);
    // The hint written again at the new size (a reason keeps its taller box).
    const QString hint = m_info->text();
    m_info->clear();
    if (!m_explanation.isEmpty() && hint == m_explanation)
        showExplanation(hint, m_explainedButton);
    else
        setHint(hint);
}

void FeuilleP::placePathText() {
    // The path is written right of the tab that stands over the box's left end.
    m_fich->setTextMargins(m_btexo->geometry().right() + 1 - m_fich->x() + m_scale->length(2), 0, 0,
                           0);
}

} // namespace alambix
