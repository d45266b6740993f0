#pragma once
// The program's own help and course: a Markdown document shown with its contents list and a
// search field, for desktops that have no viewer for "Borix.hlp" and "Voirlecours.chm".

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace alambix {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Shows the Markdown document at `path`; its pictures are looked up beside it.
    HelpWindow(const QString& path, const QString& title, QWidget* parent = nullptr);

    // Whether the document could be read.
    bool isLoaded() const { return m_loaded; }
    // Finds the next occurrence of `text` after the cursor, going round once; false when the
    // document does not hold it.
    bool findNext(const QString& text);
    // Scrolls to the heading whose title reads `title` (or whose anchor name is `title`).
    bool showHeading(const QString& title);

private:
    void listHeadings();
    void showBlock(int position);

    QListWidget* m_contents;
    QLineEdit* m_search;
    QLabel* m_notFound;
    QTextBrowser* m_browser;
    bool m_loaded = false;
};

// The anchor name Markdown writers give a heading: lower case, spaces as hyphens, punctuation
// other than hyphens dropped ("L'eau froide" → "leau-froide").
QString headingAnchor(const QString& title);

} // namespace alambix
