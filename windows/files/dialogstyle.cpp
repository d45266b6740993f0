#include "windows/files/dialogstyle.h"

#include "drawing/fonts.h"
#include "windows/common/twips.h"

#include <QLabel>
#include <QPushButton>

namespace alambix {

void styleDialog(QWidget* dialog, const QWidget& main, int widthTwips, int heightTwips) {
    dialog->setFont(windowFont(8.25));
    QPalette pal = dialog->palette();
    pal.setColor(QPalette::Window, DialogBackground);
    dialog->setPalette(pal);
    dialog->setAutoFillBackground(true);
    dialog->setFixedSize(twips(widthTwips), twips(heightTwips));
    // 20 pixels right of and below the main window's corner.
    dialog->move(main.pos() + QPoint(20, 20));
}

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(rect);
    return label;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QRect& rect) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(rect);
    // Enter belongs to the field or list that has the focus, never to a default button.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace alambix
