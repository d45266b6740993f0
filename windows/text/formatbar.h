#pragma once
// The formatting bar over the text panel: bold, italic, underline, subscript, superscript,
// colour, size, alignment, bulleted list, undo and redo, symbols and "Formule chimique". Its
// actions carry the shortcuts and fill the panel's context menu too; each shows the state of
// the text at the cursor.

#include <QToolBar>

class QMenu;
class QTextCharFormat;
class QTextEdit;
class QToolButton;

namespace alambix {

class FormatBar : public QToolBar {
    Q_OBJECT
public:
    FormatBar(QTextEdit& editor, QWidget* parent);

    // The action named `name` ("gras", "indice", "formule", ...), for the menus and tests.
    QAction* action(const QString& name) const;
    // The formatting commands, after the standard edit commands of a context menu whose paste
    // command is `paste` ("Coller sans la mise en forme" goes after it).
    void addToContextMenu(QMenu& menu, QAction* paste) const;
    // Whether a formula is formatted when the word that holds it ends ("formuleauto").
    bool formatsAsTyped() const;
    // Puts the keyboard on the first button; Escape gives it back to the text.
    void takeFocus();

    // Shows the state of the text at the cursor.
    void refresh();
    // Icons and spacing `scale` times their size; the font is the panel's.
    void setScale(qreal scale);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAction* addCommand(const char* name, const QString& text, const QString& shortcutText,
                        const QList<QKeySequence>& shortcuts);
    void buildMenus();
    void buildButtons();
    // A character format on the selection, the word at the cursor or what is typed next.
    void applyFormat(const QTextCharFormat& format, bool wholeWord);
    void applySize(const QString& text);
    void setColour(const QColor& colour);

    QTextEdit& m_editor;
    QMenu* m_colourMenu = nullptr;
    QMenu* m_sizeMenu = nullptr;
    QMenu* m_alignMenu = nullptr;
    QMenu* m_symbolMenu = nullptr;
    QMenu* m_formulaMenu = nullptr;
    QToolButton* m_size = nullptr;
    QColor m_lastColour;
};

} // namespace alambix
