#include "windows/main/explainmenu.h"

#include "core/explain.h"
#include "core/recognition.h"
#include "core/setupmodel.h"

#include <QMenu>
#include <QMessageBox>
#include <QWidget>

namespace alambix {

QMenu* installExplainMenu(QWidget* drawing, const SetupModel& model) {
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

    drawing->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(drawing, &QWidget::customContextMenuRequested, menu,
                     [menu, why, drawing, &model](const QPoint& pos) {
                         why->setVisible(!recogniseSetup(model.values()).isEmpty());
                         menu->popup(drawing->mapToGlobal(pos));
                     });
    return menu;
}

} // namespace alambix
