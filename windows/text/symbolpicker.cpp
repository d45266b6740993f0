#include "windows/text/symbolpicker.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QToolButton>

namespace alambix {

namespace {

constexpr int columns = 8;

class SymbolGrid : public QWidget {
public:
    SymbolGrid(SymbolAction& action, QWidget* parent) : QWidget(parent), m_action(action) {
        auto* grid = new QGridLayout(this);
        grid->setSpacing(1);
        grid->setContentsMargins(4, 4, 4, 4);
        QFont font = this->font();
        font.setPointSizeF(font.pointSizeF() * 1.25);
        const QList<TextSymbol>& symbols = textSymbols();
        for (qsizetype i = 0; i < symbols.size(); ++i) {
            auto* button = new QToolButton(this);
            const QString symbol = QString::fromUtf8(symbols[i].symbol);
            button->setText(symbol);
            button->setFont(font);
            button->setAutoRaise(true);
            button->setFocusPolicy(Qt::StrongFocus);
            button->setFixedSize(26, 26);
            button->setToolTip(QString::fromUtf8(symbols[i].name));
            button->setAccessibleName(QString::fromUtf8(symbols[i].name));
            button->setObjectName(QStringLiteral("symbole%1").arg(i));
            connect(button, &QToolButton::clicked, this, [this, symbol] { pick(symbol); });
            grid->addWidget(button, int(i / columns), int(i % columns));
            m_buttons.append(button);
        }
    }

protected:
    void showEvent(QShowEvent* event) override {
        QWidget::showEvent(event);
        m_buttons.constFirst()->setFocus(Qt::PopupFocusReason);
    }

    void keyPressEvent(QKeyEvent* event) override {
        const qsizetype at = m_buttons.indexOf(qobject_cast<QToolButton*>(focusWidget()));
        qsizetype to = at;
        switch (event->key()) {
        case Qt::Key_Left:
            to = at - 1;
            break;
        case Qt::Key_Right:
            to = at + 1;
            break;
        case Qt::Key_Up:
            to = at - columns;
            break;
        case Qt::Key_Down:
            to = at + columns;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (at >= 0) m_buttons[at]->click();
            return;
        default:
            QWidget::keyPressEvent(event);
            return;
        }
        if (at >= 0 && to >= 0 && to < m_buttons.size())
            m_buttons[to]->setFocus(Qt::TabFocusReason);
    }

private:
    void pick(const QString& symbol) {
        emit m_action.chosen(symbol);
        // Close the menus the grid stands in, as a menu item would.
        for (QWidget* w = parentWidget(); w; w = w->parentWidget())
            if (auto* menu = qobject_cast<QMenu*>(w)) menu->close();
    }

    SymbolAction& m_action;
    QList<QToolButton*> m_buttons;
};

} // namespace

const QList<TextSymbol>& textSymbols() {
    static const QList<TextSymbol> symbols{
        {"→", "Flèche de réaction"},
        {"⇌", "Équilibre"},
        {"⇄", "Réaction dans les deux sens"},
        {"°", "Degré"},
        {"Δ", "Delta majuscule"},
        {"·", "Point médian"},
        {"×", "Multiplié par"},
        {"±", "Plus ou moins"},
        {"≈", "Environ égal à"},
        {"≤", "Inférieur ou égal à"},
        {"≥", "Supérieur ou égal à"},
        {"α", "Alpha"},
        {"β", "Bêta"},
        {"γ", "Gamma"},
        {"δ", "Delta"},
        {"ε", "Epsilon"},
        {"η", "Êta"},
        {"θ", "Thêta"},
        {"λ", "Lambda"},
        {"μ", "Mu"},
        {"ν", "Nu"},
        {"π", "Pi"},
        {"ρ", "Rhô"},
        {"σ", "Sigma"},
        {"τ", "Tau"},
        {"φ", "Phi"},
        {"χ", "Khi"},
        {"ψ", "Psi"},
        {"ω", "Oméga"},
        {"Σ", "Sigma majuscule"},
        {"Φ", "Phi majuscule"},
        {"Ω", "Oméga majuscule"},
    };
    return symbols;
}

SymbolAction::SymbolAction(QObject* parent) : QWidgetAction(parent) {}

QWidget* SymbolAction::createWidget(QWidget* parent) {
    return new SymbolGrid(*this, parent);
}

} // namespace alambix
