// The reader's character and paragraph formats, paragraph ends and tables.
#include "richtext/rtfreader_p.h"

#include "richtext/rtfunits.h"

#include <QTextBlockFormat>
#include <QTextCharFormat>

#include <algorithm>
#include <cstdlib>

namespace alambix::rtf {

namespace {
constexpr int maxTabs = 64;
} // namespace

bool Reader::characterWord(Word word, bool hasParam, int param) {
    const bool on = !hasParam || param != 0;
    CharState& ch = m_st.ch;
    switch (word) {
    case Word::F:
        ch.font = param;
        return true;
    case Word::Plain:
        ch = CharState();
        return true;
    case Word::B:
        ch.bold = on;
        return true;
    case Word::I:
        ch.italic = on;
        return true;
    case Word::Ul:
        ch.underline = on;
        return true;
    case Word::Ulnone:
        ch.underline = false;
        return true;
    case Word::Strike:
        ch.strike = on;
        return true;
    case Word::Sub:
        ch.vertical = on ? -1 : 0;
        return true;
    case Word::Super:
        ch.vertical = on ? 1 : 0;
        return true;
    case Word::Nosupersub:
        ch.vertical = 0;
        return true;
    case Word::Up:
        ch.vertical = (!hasParam || param > 0) ? 1 : 0;
        return true;
    case Word::Dn:
        ch.vertical = (!hasParam || param > 0) ? -1 : 0;
        return true;
    case Word::Fs:
        ch.halfPoints = hasParam && param > 0 ? std::min(param, 3276) : 24;
        return true;
    case Word::Cf:
        ch.foreground = std::max(param, 0);
        return true;
    case Word::Cb:
        ch.background = std::max(param, 0);
        return true;
    case Word::V:
        ch.hidden = on;
        return true;
    case Word::Caps:
        ch.capitals = on ? 1 : 0;
        return true;
    case Word::Scaps:
        ch.capitals = on ? 2 : 0;
        return true;
    default:
        return false;
    }
}

bool Reader::paragraphWord(Word word, bool hasParam, int param) {
    const bool on = !hasParam || param != 0;
    ParaState& pa = m_st.para;
    switch (word) {
    case Word::Pard:
        pa = ParaState();
        return true;
    case Word::Ql:
        pa.align = 0;
        return true;
    case Word::Qc:
        pa.align = 1;
        return true;
    case Word::Qr:
        pa.align = 2;
        return true;
    case Word::Qj:
        pa.align = 3;
        return true;
    case Word::Li:
        pa.left = param;
        return true;
    case Word::Ri:
        pa.right = param;
        return true;
    case Word::Fi:
        pa.first = param;
        return true;
    case Word::Sb:
        pa.before = param;
        return true;
    case Word::Sa:
        pa.after = param;
        return true;
    case Word::Sl:
        pa.lineSpacing = param;
        return true;
    case Word::Slmult:
        pa.lineMultiple = on;
        return true;
    case Word::Tqr:
        pa.nextTabType = 2;
        return true;
    case Word::Tqc:
        pa.nextTabType = 1;
        return true;
    case Word::Tqdec:
        pa.nextTabType = 3;
        return true;
    case Word::Tx:
        if (pa.tabs.size() < maxTabs && param >= 0) {
            static constexpr QTextOption::TabType types[] = {
                QTextOption::LeftTab, QTextOption::CenterTab, QTextOption::RightTab,
                QTextOption::DelimiterTab};
            pa.tabs.append(QTextOption::Tab(pixelsFromTwips(param), types[pa.nextTabType],
                                            pa.nextTabType == 3 ? QChar(u'.') : QChar()));
        }
        pa.nextTabType = 0;
        return true;
    case Word::Pagebb:
        pa.pageBreak = on;
        return true;
    case Word::Par:
    case Word::Sect:
        if (m_st.dest == Dest::Text) endParagraph();
        return true;
    case Word::Page:
        if (m_st.dest == Dest::Text) endParagraph(true);
        return true;
    default:
        return false;
    }
}

// \trowd\cellx1000\cellx2000\intbl A\cell B\cell\row: a row's definition, then its cells.
bool Reader::tableWord(Word word, bool hasParam, int param) {
    switch (word) {
    case Word::Intbl:
        m_st.para.inTable = !hasParam || param != 0;
        return true;
    case Word::Itap:
        m_st.para.inTable = param > 0;
        return true;
    case Word::Trowd:
        m_builder.defineRow();
        return true;
    case Word::Cellx:
        m_builder.addCellEdge(param);
        return true;
    case Word::Cell:
        if (m_st.dest == Dest::Text) endCell();
        return true;
    case Word::Row:
        if (m_st.dest == Dest::Text) endRow();
        return true;
    case Word::Nestcell:
    case Word::Nestrow:
        // Nested tables are read flat: their cells become paragraphs of the outer cell.
        if (m_st.dest == Dest::Text) endParagraph();
        return true;
    default:
        return false;
    }
}

// {\*\pn\pnlvlblt ...} before a paragraph's text: the paragraph is a bulleted or numbered item.
void Reader::numberingWord(Word word) {
    if (word == Word::Pnlvlblt) m_st.para.list = ListKind::Bulleted;
    if (word == Word::Pnlvlbody) m_st.para.list = ListKind::Numbered;
}

void Reader::endParagraph(bool pageBreak) {
    flushBytes();
    QTextBlockFormat format = blockFormat();
    if (m_st.para.pageBreak) format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    m_builder.endParagraph(format, m_st.para.inTable, pageBreak, m_st.para.list);
}

void Reader::endCell() {
    flushBytes();
    m_builder.flushRun(m_st.para.inTable);
    m_st.para.inTable = true;
    m_builder.endCell(blockFormat());
}

void Reader::endRow() {
    flushBytes();
    m_builder.endRow(m_st.para.inTable);
}

QTextCharFormat Reader::charFormat() const {
    const CharState& ch = m_st.ch;
    QTextCharFormat format;
    const Font* f = font(ch.font);
    // Symbol fonts are read as Unicode, shown in the document's own font.
    if (f && f->symbol != SymbolFont::None) f = font(-1);
    if (f && f->symbol == SymbolFont::None && !f->name.isEmpty()) format.setFontFamilies({f->name});
    format.setFontPointSize(ch.halfPoints / 2.0);
    format.setFontWeight(ch.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(ch.italic);
    format.setFontUnderline(ch.underline);
    format.setFontStrikeOut(ch.strike);
    if (ch.capitals == 1) format.setFontCapitalization(QFont::AllUppercase);
    if (ch.capitals == 2) format.setFontCapitalization(QFont::SmallCaps);
    if (ch.vertical < 0) format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (ch.vertical > 0) format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    // Colour 0 is "auto"; the table's entries are numbered from 0.
    if (ch.foreground > 0 && ch.foreground < m_colours.size() && m_colours[ch.foreground].isValid())
        format.setForeground(m_colours[ch.foreground]);
    if (ch.background > 0 && ch.background < m_colours.size() && m_colours[ch.background].isValid())
        format.setBackground(m_colours[ch.background]);
    if (!m_st.link.isEmpty()) {
        format.setAnchor(true);
        format.setAnchorHref(m_st.link);
    }
    return format;
}

QTextBlockFormat Reader::blockFormat() const {
    const ParaState& pa = m_st.para;
    QTextBlockFormat format;
    static constexpr Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                               Qt::AlignJustify};
    format.setAlignment(aligns[pa.align]);
    // A list item's indents are the list's.
    const bool item = pa.list != ListKind::None;
    if (pa.left && !item) format.setLeftMargin(pixelsFromTwips(pa.left));
    if (pa.right) format.setRightMargin(pixelsFromTwips(pa.right));
    if (pa.first && !item) format.setTextIndent(pixelsFromTwips(pa.first));
    if (pa.before) format.setTopMargin(pixelsFromTwips(pa.before));
    if (pa.after) format.setBottomMargin(pixelsFromTwips(pa.after));
    if (pa.lineSpacing && pa.lineMultiple)
        format.setLineHeight(std::abs(pa.lineSpacing) * 100.0 / 240.0,
                             QTextBlockFormat::ProportionalHeight);
    else if (pa.lineSpacing < 0)
        format.setLineHeight(pixelsFromTwips(-pa.lineSpacing), QTextBlockFormat::FixedHeight);
    else if (pa.lineSpacing > 0)
        format.setLineHeight(pixelsFromTwips(pa.lineSpacing), QTextBlockFormat::MinimumHeight);
    if (!pa.tabs.isEmpty()) format.setTabPositions(pa.tabs);
    return format;
}

} // namespace alambix::rtf
