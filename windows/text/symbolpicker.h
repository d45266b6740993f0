#pragma once
// "Insérer un symbole": the arrows, signs and Greek letters of chemistry and physics, as a grid
// for a menu. Arrow keys move between the symbols, Enter or Space inserts one.

#include <QWidgetAction>

namespace alambix {

struct TextSymbol {
    const char* symbol;
    const char* name; // French, in the tooltip and for screen readers
};

// The symbols offered, in the grid's order.
const QList<TextSymbol>& textSymbols();

// The grid as an action of a menu; it can stand in several menus at once (the bar's and the
// context menu). `chosen` gives the symbol picked.
class SymbolAction : public QWidgetAction {
    Q_OBJECT
public:
    explicit SymbolAction(QObject* parent);

signals:
    void chosen(const QString& symbol);

protected:
    QWidget* createWidget(QWidget* parent) override;
};

} // namespace alambix
