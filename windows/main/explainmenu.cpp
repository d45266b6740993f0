#include "windows/main/explainmenu.h"

#include "core/explain.h"
#include "core/recognition.h"
#include "core/setupmodel.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QWidget>

namespace alambix {

namespace {
// The context-menu key and Shift+F10 ask for the focused widget's context menu, at its middle.
// Some platforms turn the first into a context menu event of their own, which opens the menu
// before the key arrives; none does so for the second.
class KeyboardContextMenu : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const bool menuKey = key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier;
        const bool shiftF10 = key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier;
        if (!menuKey && !shiftF10) return false;
        auto* widget = static_cast<QWidget*>(watched);
        const QPoint middle = widget->rect().center();
        QContextMenuEvent menu(QContextMenuEvent::Keyboard, middle, widget->mapToGlobal(middle),
                               key->modifiers());
        QCoreApplication::sendEvent(widget, &menu);
        return true;
    }
};
} // namespace

QMenu* installExplainMenu(QWidget* drawing, const QList<QWidget*>& buttons,
                          const SetupModel& model) {
    auto* menu = new QMenu(drawing);
    menu->setObjectName(QStringLiteral("explication"));
    QAction* missing = menu->addAction(QStringLiteral("Que manque-t-il ?"));
    missing->setObjectName(QStringLiteral("quemanque"));
    QAction* why = menu->addAction(QStringLiteral("Pourquoi ce nom ?"));
    why->setObjectName(QStringLiteral("pourquoinom"));

    auto panel = [drawing](const QString& title, const QString& text) {
        QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, drawing->window());
        box.exec();
    };
    QObject::connect(missing, &QAction::triggered, drawing, [&model, panel] {
        panel(QStringLiteral("Que manque-t-il ?"), missingText(model.values()));
    });
    QObject::connect(why, &QAction::triggered, drawing, [&model, panel] {
        panel(QStringLiteral("Pourquoi ce nom ?"), whyNameText(model.values()));
    });

    auto* keys = new KeyboardContextMenu(menu);
    for (QWidget* widget : QList<QWidget*>{drawing} + buttons) {
        widget->setContextMenuPolicy(Qt::CustomContextMenu);
        widget->installEventFilter(keys);
        QObject::connect(widget, &QWidget::customContextMenuRequested, menu,
                         [menu, why, widget, &model](const QPoint& pos) {
                             if (menu->isVisible()) return;
                             why->setVisible(!recogniseSetup(model.values()).isEmpty());
                             menu->popup(widget->mapToGlobal(pos));
                         });
    }
    return menu;
}

} // namespace alambix
