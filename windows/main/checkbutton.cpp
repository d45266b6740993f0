#include "windows/main/checkbutton.h"

#include "assets/assets.h"
#include "drawing/fonts.h"
#include "windows/common/windowscale.h"
#include "windows/main/hintfit.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>

#include <memory>

namespace alambix {

namespace {
constexpr int gap = 4;
}

void installCheckButton(QLabel* nameLabel, QAction* check) {
    // The name's box at its whole width, as the window last placed it.
    auto fullWidth = std::make_shared<int>(nameLabel->width());
    auto place = [=] {
        const bool shown = check->isEnabled();
        QWidget* window = nameLabel->parentWidget();
        auto* button =
            window->findChild<QToolButton*>(QStringLiteral("verifier"), Qt::FindDirectChildrenOnly);
        if (!button && !shown) return;
        const qreal scale = WindowScale::factorFor(nameLabel);
        if (!button) {
            button = new QToolButton(window);
            button->setObjectName(QStringLiteral("verifier"));
            button->setText(QStringLiteral("Vérifier"));
            button->setToolTip(QStringLiteral("Vérifier mon montage (%1)")
                                   .arg(check->shortcut().toString(QKeySequence::NativeText)));
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            QObject::connect(button, &QToolButton::clicked, check, &QAction::trigger);
        }
        // At the window's scale, as the name beside it.
        button->setFont(windowFont(8.25 * scale, true));
        const QSize icon(qRound(18 * scale), qRound(18 * scale));
        if (button->iconSize() != icon || button->icon().isNull()) {
            button->setIcon(QIcon(renderPicture(QStringLiteral(":/icons/verifier.svg"), icon)));
            button->setIconSize(icon);
        }
        button->setFixedSize(button->sizeHint().width() + qRound(6 * scale), nameLabel->height());
        const QRect name = nameLabel->geometry();
        const int width = shown ? *fullWidth - button->width() - qRound(gap * scale) : *fullWidth;
        nameLabel->resize(width, name.height());
        button->move(name.left() + *fullWidth - button->width(), name.top());
        button->setVisible(shown);
        fitName(nameLabel);
    };
    QObject::connect(check, &QAction::enabledChanged, nameLabel, place);
    if (WindowScale* scale = WindowScale::of(nameLabel))
        QObject::connect(scale, &WindowScale::factorChanged, nameLabel, [=] {
            // The window has just placed the name's box again, whole.
            *fullWidth = nameLabel->width();
            place();
        });
}

void fitName(QLabel* nameLabel) {
    // A little room on each side, inside the border.
    const qreal scale = WindowScale::factorFor(nameLabel);
    const QSize box = nameLabel->size() - QSize(qRound(6 * scale), 0);
    nameLabel->setFont(
        fittingFont(windowFont(12 * scale, true), nameLabel->text(), box, 9 * scale));
}

} // namespace alambix
