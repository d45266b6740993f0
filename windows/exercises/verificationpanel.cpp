#include "windows/exercises/verificationpanel.h"

#include "drawing/fonts.h"
#include "session/setupcheck.h"
#include "windows/common/windowscale.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace alambix {

VerificationPanel::VerificationPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("verification"));
    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    setAccessibleName(QStringLiteral("Vérifier mon montage"));

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("verificationnumero"));
    m_close = new QToolButton(this);
    m_close->setObjectName(QStringLiteral("fermerverification"));
    m_close->setText(QStringLiteral("×"));
    m_close->setToolTip(QStringLiteral("Fermer"));
    m_close->setAutoRaise(true);
    m_close->setFocusPolicy(Qt::TabFocus);
    connect(m_close, &QToolButton::clicked, this, &QWidget::hide);

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("verificationtexte"));
    m_text->setWordWrap(true);
    m_text->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_correction = new QPushButton(QStringLiteral("Voir la correction"), this);
    m_correction->setObjectName(QStringLiteral("verificationcorrection"));
    connect(m_correction, &QPushButton::clicked, this, &VerificationPanel::correctionRequested);

    auto* top = new QHBoxLayout;
    top->addWidget(m_title, 1);
    top->addWidget(m_close);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(m_correction);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_text);
    layout->addLayout(bottom);
    applyScale();
    // Grows with the window, and stays on the panel's foot.
    if (WindowScale* scale = WindowScale::of(parent))
        connect(scale, &WindowScale::factorChanged, this, [this] {
            applyScale();
            if (isVisible() && m_panel) place(*m_panel);
        });
    hide();
}

void VerificationPanel::applyScale() {
    const qreal scale = WindowScale::factorFor(parentWidget());
    m_title->setFont(windowFont(8.25 * scale, true));
    m_text->setFont(windowFont(9.75 * scale));
    const int small = qRound(2 * scale), large = qRound(6 * scale);
    layout()->setContentsMargins(large, small, small, large);
    layout()->setSpacing(small);
}

void VerificationPanel::place(const QWidget& panel) {
    // As wide as the panel, as tall as its text, standing on the panel's foot.
    const QRect area = panel.geometry();
    layout()->activate();
    const int height = std::min(layout()->totalHeightForWidth(area.width()), area.height());
    setGeometry(area.left(), area.bottom() + 1 - height, area.width(), height);
}

void VerificationPanel::showCheck(const SetupCheck& check, const QWidget& panel) {
    const bool right = !check.rung;
    m_title->setText(QStringLiteral("Vérification n° %1").arg(check.number));
    m_text->setText(check.text);
    m_correction->setVisible(check.offersCorrection());
    // A right set-up in green; a hint in the colours of the hint line.
    QPalette colours = palette();
    colours.setColor(QPalette::Window,
                     right ? QColor(220, 245, 220) : colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText,
                     right ? QColor(0, 96, 0) : colours.color(QPalette::ToolTipText));
    setPalette(colours);

    m_panel = &panel;
    place(panel);
    show();
    raise();
}

} // namespace alambix
