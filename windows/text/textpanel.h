#pragma once
// `supertext`, the main window's rich-text panel. While it may be edited (a statement, a text
// found again) a formatting bar stands over its text, built the first time it is needed; typing
// takes the body's font where Qt would take a title's or a picture's, and a chemical formula is
// formatted when the word that holds it ends.

#include <QTextEdit>

#include <memory>
#include <utility>

namespace alambix {

class FormatBar;

class TextPanel : public QTextEdit {
    Q_OBJECT
public:
    explicit TextPanel(QWidget* parent = nullptr);
    ~TextPanel() override;

    // The bar; null until the panel was first editable.
    FormatBar* formatBar() const { return m_bar; }

    // Shows the text `zoom` times its size, with the window's scale: laid out as on a screen of
    // that many times the dots per inch, so that letters, pictures and indents grow, drawn
    // sharp. The document itself is not touched.
    void setZoom(qreal zoom);
    qreal zoom() const { return m_zoom; }

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void editableChanged();
    void placeBar();
    void placeScrollBar();
    // Typing at the cursor takes the body's font where Qt's choice would be wrong.
    void adjustTypingFormat();

    class ZoomedScreen;
    // The paint device the document is laid out for while zoomed.
    std::unique_ptr<ZoomedScreen> m_zoomedScreen;
    qreal m_zoom = 1;
    FormatBar* m_bar = nullptr;
    // Where the typing format was last worked out: the cursor and the document's length.
    std::pair<int, int> m_adjustedAt{-1, -1};
};

} // namespace alambix
