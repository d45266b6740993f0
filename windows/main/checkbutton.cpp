#include "windows/main/checkbutton.h"

#include "assets/assets.h"
#include "drawing/fonts.h"
#include "windows/main/hintfit.h"

#include <QAction>
#include <QLabel>
#include <QToolButton>

namespace alambix {

namespace {
constexpr int gap = 4;
}

void installCheckButton(QLabel* nameLabel, QAction* check) {
    const int fullWidth = nameLabel->width();
    QObject::connect(check, &QAction::enabledChanged, nameLabel, [=](bool shown) {
        QWidget* window = nameLabel->parentWidget();
        auto* button =
            window->findChild<QToolButton*>(QStringLiteral("verifier"), Qt::FindDirectChildrenOnly);
        if (!button && !shown) return;
        if (!button) {
            button = new QToolButton(window);
            button->setObjectName(QStringLiteral("verifier"));
            button->setText(QStringLiteral("Vérifier"));
            button->setToolTip(QStringLiteral("Vérifier mon montage (%1)")
                                   .arg(check->shortcut().toString(QKeySequence::NativeText)));
            button->setFont(windowFont(8.25, true));
            button->setIcon(
                QIcon(renderPicture(QStringLiteral(":/icons/verifier.svg"), QSize(18, 18))));
            button->setIconSize(QSize(18, 18));
            button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            button->setFixedSize(button->sizeHint().width() + 6, nameLabel->height());
            QObject::connect(button, &QToolButton::clicked, check, &QAction::trigger);
        }
        const QRect name = nameLabel->geometry();
        const int width = shown ? fullWidth - button->width() - gap : fullWidth;
        nameLabel->resize(width, name.height());
        button->move(name.left() + fullWidth - button->width(), name.top());
        button->setVisible(shown);
        fitName(nameLabel);
    });
}

void fitName(QLabel* nameLabel) {
    // A little room on each side, inside the border.
    const QSize box = nameLabel->size() - QSize(6, 0);
    nameLabel->setFont(fittingFont(windowFont(12, true), nameLabel->text(), box, 9));
}

} // namespace alambix
