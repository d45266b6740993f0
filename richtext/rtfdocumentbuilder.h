#pragma once
// Builds a QTextDocument from what a rich-text reader finds: runs of text in a format,
// paragraphs, table cells and rows, pictures.

#include <QString>
#include <QTextCharFormat>
#include <QTextCursor>

#include <utility>
#include <vector>

class QByteArray;
class QImage;
class QSizeF;
class QTextBlockFormat;
class QTextDocument;
class QTextList;
class QTextTable;

namespace alambix::rtf {

// What a paragraph of the older RTF numbering is an item of.
enum class ListKind : quint8 { None, Bulleted, Numbered };

// Where the coming content goes depends on whether its paragraph is in a table (`inTable`):
// the builder opens, extends and leaves tables as that changes.
class DocumentBuilder {
public:
    explicit DocumentBuilder(QTextDocument& document);

    // Text is gathered in runs of one format, inserted when the format changes or the
    // paragraph ends.
    void setRunFormat(const QTextCharFormat& format, bool inTable) {
        if (format != m_runFormat) {
            flushRun(inTable);
            m_runFormat = format;
        }
    }
    void appendText(QChar c) { m_run.append(c); }
    void appendText(const QString& text) { m_run += text; }
    void flushRun(bool inTable);

    // Ends the paragraph in `format`, an item of a `list` or none; the next one starts on a new
    // page when `pageBreak`. Items in a row make one list, which draws their bullets and
    // numbers: the ones written as text at the start of the paragraph go.
    void endParagraph(const QTextBlockFormat& format, bool inTable, bool pageBreak, ListKind list);

    // Where a list item's bullet or number, written as text, starts and ends.
    void startListText(bool inTable);
    void endListText(bool inTable);

    // A table row: its definition (the cells' right edges, in twips), then its cells.
    void defineRow() { m_cellEdges.clear(); }
    void addCellEdge(int twips);
    void endCell(const QTextBlockFormat& format);
    void endRow(bool inTable);

    // A picture shown at `size`; `encoded` is the file it was decoded from, kept when it is a
    // PNG or a JPEG so that a save writes it back as it was.
    void insertPicture(const QImage& image, const QByteArray& encoded, const QSizeF& size,
                       bool inTable);

    // The last paragraph takes `format`; a last empty paragraph left by a final \par goes.
    void finish(const QTextBlockFormat& format);

private:
    void place(bool inTable);
    void enterTable();
    void leaveTable();
    void nextColumn();

    QTextDocument& m_doc;
    QTextCursor m_cursor;

    QString m_run;
    QTextCharFormat m_runFormat;

    QTextList* m_list = nullptr;            // the list the last paragraph was an item of
    std::pair<int, int> m_listText{-1, -1}; // where the last list item's text was put

    QTextTable* m_table = nullptr;
    int m_row = 0, m_column = 0;
    bool m_rowEnded = false, m_cellEnded = false;
    std::vector<int> m_cellEdges;
};

} // namespace alambix::rtf
