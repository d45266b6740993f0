#include "richtext/rtfdocumentbuilder.h"

#include "richtext/documentpictures.h"
#include "richtext/rtfunits.h"

#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>

namespace alambix::rtf {

namespace {
// Bounds that keep a hostile document cheap.
constexpr int maxColumns = 64;
constexpr int maxRows = 100000;
} // namespace

DocumentBuilder::DocumentBuilder(QTextDocument& document) : m_doc(document), m_cursor(&document) {}

void DocumentBuilder::flushRun(bool inTable) {
    if (m_run.isEmpty()) return;
    place(inTable);
    m_cursor.insertText(m_run, m_runFormat);
    m_run.clear();
}

void DocumentBuilder::endParagraph(const QTextBlockFormat& format, bool inTable, bool pageBreak,
                                   ListKind list) {
    flushRun(inTable);
    place(inTable);
    m_cursor.setBlockFormat(format);
    if (list != ListKind::None && !m_table) {
        if (m_listText.first == m_cursor.block().position() &&
            m_listText.first < m_listText.second && m_cursor.block().contains(m_listText.second)) {
            QTextCursor text(m_cursor);
            text.setPosition(m_listText.first);
            text.setPosition(m_listText.second, QTextCursor::KeepAnchor);
            text.removeSelectedText();
        }
        const QTextListFormat::Style style =
            list == ListKind::Bulleted ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal;
        if (m_list && m_list->format().style() == style) {
            m_list->add(m_cursor.block());
        } else {
            QTextListFormat listFormat;
            listFormat.setStyle(style);
            listFormat.setIndent(1);
            m_list = m_cursor.createList(listFormat);
        }
    } else {
        m_list = nullptr;
    }
    QTextBlockFormat next;
    if (pageBreak) next.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    m_cursor.insertBlock(next, m_runFormat);
}

void DocumentBuilder::startListText(bool inTable) {
    flushRun(inTable);
    m_listText = {m_cursor.position(), m_cursor.position()};
}

void DocumentBuilder::endListText(bool inTable) {
    flushRun(inTable);
    m_listText.second = m_cursor.position();
}

void DocumentBuilder::addCellEdge(int twips) {
    if (m_cellEdges.size() < std::size_t(maxColumns)) m_cellEdges.push_back(twips);
}

void DocumentBuilder::endCell(const QTextBlockFormat& format) {
    place(true);
    if (!m_table) return;
    m_cursor.setBlockFormat(format);
    m_cellEnded = true;
}

void DocumentBuilder::endRow(bool inTable) {
    flushRun(inTable);
    if (m_table) {
        m_rowEnded = true;
        m_cellEnded = false;
    }
}

void DocumentBuilder::insertPicture(const QImage& image, const QByteArray& encoded,
                                    const QSizeF& size, bool inTable) {
    const QString name = newPictureName(QStringLiteral("rtfimage"));
    addPicture(m_doc, QUrl(name), image, encoded);
    flushRun(inTable);
    place(inTable);
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(size.width());
    format.setHeight(size.height());
    m_cursor.insertImage(format);
}

void DocumentBuilder::finish(const QTextBlockFormat& format) {
    m_cursor.setBlockFormat(format);
    // The last \par ends the last paragraph; it does not open an empty one.
    QTextCursor end(&m_doc);
    end.movePosition(QTextCursor::End);
    const QTextBlock last = end.block();
    if (last.length() == 1 && last.previous().isValid() && !end.currentTable() &&
        !QTextCursor(last.previous()).currentTable() &&
        last.previous().blockFormat().pageBreakPolicy() == last.blockFormat().pageBreakPolicy())
        end.deletePreviousChar();
}

// Puts the cursor where the coming content belongs: in or out of a table.
void DocumentBuilder::place(bool inTable) {
    if (inTable) {
        if (!m_table)
            enterTable();
        else if (m_rowEnded) {
            m_rowEnded = false;
            if (m_table->rows() >= maxRows) {
                leaveTable();
                return;
            }
            m_table->appendRows(1);
            ++m_row;
            m_column = 0;
            const int wanted = int(m_cellEdges.size());
            if (wanted > m_table->columns()) m_table->appendColumns(wanted - m_table->columns());
            m_cursor = m_table->cellAt(m_row, 0).firstCursorPosition();
        } else if (m_cellEnded) {
            nextColumn();
        }
        m_cellEnded = false;
    } else if (m_table) {
        leaveTable();
    }
}

void DocumentBuilder::enterTable() {
    QTextBlock block = m_cursor.block();
    // The table takes the place of the empty paragraph it starts in.
    if (block.length() == 1 && block.previous().isValid() &&
        QTextCursor(block.previous()).currentFrame() == m_cursor.currentFrame() &&
        !QTextCursor(block.previous()).currentTable())
        m_cursor.deletePreviousChar();
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(3);
    format.setCellSpacing(0);
    const int columns = std::max(1, int(m_cellEdges.size()));
    QList<QTextLength> widths;
    qint64 previous = 0; // edges may lie anywhere an int reaches: their gaps need more
    for (int edge : m_cellEdges) {
        widths.append(QTextLength(QTextLength::FixedLength,
                                  pixelsFromTwips(double(std::max<qint64>(edge - previous, 15)))));
        previous = edge;
    }
    if (!widths.isEmpty()) format.setColumnWidthConstraints(widths);
    m_table = m_cursor.insertTable(1, columns, format);
    m_row = m_column = 0;
    m_rowEnded = m_cellEnded = false;
    m_cursor = m_table->cellAt(0, 0).firstCursorPosition();
}

void DocumentBuilder::leaveTable() {
    m_cursor = m_table->lastCursorPosition();
    m_cursor.movePosition(QTextCursor::NextBlock);
    m_table = nullptr;
    m_rowEnded = m_cellEnded = false;
}

void DocumentBuilder::nextColumn() {
    if (m_column + 1 >= m_table->columns()) {
        if (m_table->columns() >= maxColumns) {
            m_cursor.insertBlock(); // extra cells go on in the last one
            return;
        }
        m_table->appendColumns(1);
    }
    ++m_column;
    m_cursor = m_table->cellAt(m_row, m_column).firstCursorPosition();
}

} // namespace alambix::rtf
