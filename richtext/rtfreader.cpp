#include "richtext/rtfreader.h"

#include "richtext/rtfreader_p.h"

#include <QIODevice>
#include <QTextDocument>

#include <algorithm>

namespace alambix {

namespace rtf {

namespace {
// Groups nested deeper are read in the deepest state kept.
constexpr int maxDepth = 1000;

// Control characters other than the tab, and the object mark the document keeps for its
// pictures, are not text.
bool isText(char16_t c) {
    return (c >= 0x20 || c == u'\t') && c != QChar::ObjectReplacementCharacter;
}
} // namespace

void Reader::run() {
    // The first group is the document itself.
    for (Token token = m_tokens.next(); token.kind != Token::Kind::End; token = m_tokens.next()) {
        switch (token.kind) {
        case Token::Kind::GroupOpen:
            openGroup();
            break;
        case Token::Kind::GroupClose:
            closeGroup();
            break;
        case Token::Kind::ControlWord:
            controlWord(token);
            break;
        case Token::Kind::LongWord:
            m_star = false;
            break;
        case Token::Kind::ControlSymbol:
            controlSymbol(token.symbol);
            break;
        case Token::Kind::HexByte:
            if (token.parameter >= 0) byte(static_cast<unsigned char>(token.parameter));
            break;
        case Token::Kind::Text:
            text(token.text);
            break;
        case Token::Kind::End:
            break;
        }
    }
    finish();
}

void Reader::openGroup() {
    flushBytes();
    m_star = false;
    if (m_stack.size() >= maxDepth) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_st);
    m_st.ownsPicture = false;
}

void Reader::closeGroup() {
    flushBytes();
    m_star = false;
    m_skipChars = 0;
    if (m_overflow > 0) {
        --m_overflow;
        return;
    }
    if (m_stack.empty()) return;
    if (m_st.ownsPicture) finishPicture();
    if (m_st.dest == Dest::FontTable && m_currentFont >= 0) finishFontName();
    if (m_st.listText && !m_stack.back().listText) m_builder.endListText(m_st.para.inTable);
    // The numbering group tells what the paragraph around it is.
    if (m_st.dest == Dest::Numbering && m_st.para.list != ListKind::None)
        m_stack.back().para.list = m_st.para.list;
    const bool charChanged = !(m_stack.back().ch == m_st.ch) || m_stack.back().link != m_st.link;
    m_st = std::move(m_stack.back());
    m_stack.pop_back();
    if (charChanged) m_charDirty = true;
}

void Reader::skipGroup() {
    m_tokens.skipGroup();
}

void Reader::controlWord(const Token& token) {
    const Keyword* k = findKeyword(token.text);
    const bool star = m_star;
    m_star = false;
    if (!k) {
        if (star) skipGroup();
        return;
    }
    if (k->kind == WordKind::Destination) {
        destination(k->word);
        return;
    }
    if (star) {
        // A known word that is no destination cannot start an optional group.
        m_st.dest = Dest::Skip;
        skipGroup();
        return;
    }
    // Text so far keeps the formats it was written in.
    flushBytes();
    const Word word = k->word;
    // A control word ends the characters left to skip after \u.
    if (word != Word::U && word != Word::Bin) m_skipChars = 0;
    const int param = token.parameter;
    switch (m_st.dest) {
    case Dest::Numbering:
        numberingWord(word);
        return;
    case Dest::FontTable:
        fontTableWord(word, param);
        return;
    case Dest::ColorTable:
        colourTableWord(word, param);
        return;
    case Dest::Pict:
        if (pictureWord(word, param)) return;
        break;
    default:
        break;
    }
    const CharState before = m_st.ch;
    if (k->kind == WordKind::Symbol)
        literal(k->character);
    else if (!characterWord(word, token.hasParameter, param) &&
             !paragraphWord(word, token.hasParameter, param) &&
             !tableWord(word, token.hasParameter, param))
        documentWord(word, param);
    if (!(before == m_st.ch)) m_charDirty = true;
}

bool Reader::documentWord(Word word, int param) {
    switch (word) {
    case Word::Ansi:
        m_ansiCodePage = 1252;
        return true;
    case Word::Mac:
        m_ansiCodePage = 10000;
        return true;
    case Word::Pc:
        m_ansiCodePage = 437;
        return true;
    case Word::Pca:
        m_ansiCodePage = 850;
        return true;
    case Word::Ansicpg:
        if (param > 0) m_ansiCodePage = param;
        return true;
    case Word::Deff:
        m_defaultFont = param;
        m_charDirty = true;
        return true;
    case Word::Uc:
        m_st.uc = std::clamp(param, 0, 10);
        return true;
    case Word::U: {
        int v = param;
        if (v < 0) v += 65536;
        if (v >= 0 && v <= 0xFFFF) unicode(char32_t(v));
        m_skipChars = m_st.uc;
        return true;
    }
    case Word::Bin: {
        // A \bin longer than the document: nothing after it can be read.
        const std::optional<QByteArrayView> data = m_tokens.binary(param);
        if (!data) return true;
        if (m_st.dest == Dest::Pict) pictureBinary(*data);
        if (m_skipChars > 0) --m_skipChars;
        return true;
    }
    default:
        return false;
    }
}

void Reader::controlSymbol(char c) {
    switch (c) {
    case '\\':
    case '{':
    case '}':
        byte(static_cast<unsigned char>(c));
        return;
    case '*':
        m_star = true;
        return;
    case '~':
        literal(0x00A0);
        return;
    case '-':
        literal(0x00AD);
        return;
    case '_':
        literal(0x2011);
        return;
    case '\r':
    case '\n':
        if (m_st.dest == Dest::Text) endParagraph();
        return;
    case '\t':
        literal(u'\t');
        return;
    default:
        return;
    }
}

void Reader::text(std::string_view run) {
    m_star = false;
    if (m_st.dest == Dest::Skip || m_st.dest == Dest::Upr) return;
    if (m_st.dest == Dest::Pict) {
        pictureHex(run);
        return;
    }
    if (m_st.dest == Dest::Text && m_skipChars == 0 && !m_st.ch.hidden) {
        // The common case: text in a plain font, taken whole.
        const Font* f = font(m_st.ch.font);
        if (!f || f->symbol == SymbolFont::None) {
            const int cp = codePage(f);
            if (!m_bytes.isEmpty() && cp != m_bytesCodePage) flushBytes();
            m_bytesCodePage = cp;
            m_bytes.append(run.data(), qsizetype(run.size()));
            return;
        }
    }
    for (char c : run)
        byte(static_cast<unsigned char>(c));
}

void Reader::destination(Word word) {
    flushBytes();
    if (m_st.dest == Dest::Skip) return;
    switch (word) {
    case Word::Fonttbl:
        m_st.dest = Dest::FontTable;
        m_currentFont = -1;
        break;
    case Word::Colortbl:
        m_st.dest = Dest::ColorTable;
        m_red = m_green = m_blue = -1;
        break;
    case Word::Pict:
        if (m_st.dest != Dest::Text || m_st.ownsPicture) {
            m_st.dest = Dest::Skip;
            skipGroup();
            break;
        }
        m_st.dest = Dest::Pict;
        m_st.ownsPicture = true;
        m_picture = Picture();
        break;
    case Word::Fldinst:
        if (m_st.dest == Dest::Text) {
            m_st.dest = Dest::FieldInst;
            m_fieldInstruction.clear();
        } else {
            m_st.dest = Dest::Skip;
            skipGroup();
        }
        break;
    case Word::Fldrslt:
        if (m_st.dest == Dest::Text) fieldResult();
        break;
    case Word::Upr:
        if (m_st.dest == Dest::Text) m_st.dest = Dest::Upr;
        break;
    case Word::Ud:
        if (m_st.dest == Dest::Upr) m_st.dest = Dest::Text;
        break;
    case Word::Pn:
        // A paragraph's number or bullet in the older RTF numbering: only its kind is kept.
        if (m_st.dest == Dest::Text) {
            m_st.dest = Dest::Numbering;
        } else {
            m_st.dest = Dest::Skip;
            skipGroup();
        }
        break;
    case Word::ListText:
        // A list item's bullet or number as text, for readers that draw no list: it stays
        // unless the older numbering that follows makes the paragraph a list item.
        if (m_st.dest == Dest::Text) {
            m_builder.startListText(m_st.para.inTable);
            m_st.listText = true;
        }
        break;
    case Word::Shown:
        break; // their text is shown as it comes
    default:
        if (m_st.dest != Dest::Upr) {
            m_st.dest = Dest::Skip;
            skipGroup();
        }
        break;
    }
}

// A hyperlink's result keeps its target.
void Reader::fieldResult() {
    const QByteArray inst = m_fieldInstruction.trimmed();
    if (inst.startsWith("HYPERLINK")) {
        QByteArray target = inst.mid(9).trimmed();
        const qsizetype q1 = target.indexOf('"');
        if (q1 >= 0) {
            const qsizetype q2 = target.indexOf('"', q1 + 1);
            target = target.mid(q1 + 1, q2 < 0 ? -1 : q2 - q1 - 1);
        } else {
            target = target.split(' ').value(0);
        }
        if (!target.isEmpty()) {
            m_st.link = QString::fromUtf8(target);
            m_charDirty = true;
        }
    }
    m_fieldInstruction.clear();
}

const Font* Reader::font(int number) const {
    auto it = m_fonts.constFind(number < 0 ? m_defaultFont : number);
    return it == m_fonts.constEnd() ? nullptr : &*it;
}

int Reader::codePage(const Font* f) const {
    if (f) {
        if (f->codePage > 0) return f->codePage;
        if (f->charset > 0 || (f->charset == 0 && m_ansiCodePage == 1252)) {
            const int cp = codePageOfCharset(f->charset);
            if (cp) return cp;
        }
    }
    return m_ansiCodePage;
}

void Reader::byte(unsigned char b) {
    if (m_skipChars > 0 && (m_st.dest == Dest::Text || m_st.dest == Dest::FontTable)) {
        --m_skipChars;
        return;
    }
    switch (m_st.dest) {
    case Dest::Text:
        break;
    case Dest::FontTable:
        fontTableByte(b);
        return;
    case Dest::ColorTable:
        colourTableByte(b);
        return;
    case Dest::FieldInst:
        if (m_fieldInstruction.size() < 4096) m_fieldInstruction.append(char(b));
        return;
    default:
        return;
    }
    if (m_st.ch.hidden) return;
    const Font* f = font(m_st.ch.font);
    if (f && f->symbol != SymbolFont::None) {
        flushBytes();
        const char16_t c = symbolToUnicode(f->symbol, b);
        if (c) literal(c);
        return;
    }
    const int cp = codePage(f);
    if (!m_bytes.isEmpty() && cp != m_bytesCodePage) flushBytes();
    m_bytesCodePage = cp;
    m_bytes.append(char(b));
}

void Reader::unicode(char32_t c) {
    if (m_st.dest == Dest::FontTable) {
        fontNameCharacter(char16_t(c));
        return;
    }
    if (m_st.dest != Dest::Text) return;
    // Symbol characters written as private-use code points.
    const Font* f = font(m_st.ch.font);
    if (f && f->symbol != SymbolFont::None && c >= 0xF020 && c <= 0xF0FF) {
        const char16_t mapped = symbolToUnicode(f->symbol, static_cast<unsigned char>(c));
        if (mapped) c = mapped;
    }
    literal(char16_t(c));
}

void Reader::literal(char16_t c) {
    if (m_st.dest != Dest::Text || m_st.ch.hidden || !isText(c)) return;
    flushBytes();
    prepareRun();
    m_builder.appendText(QChar(c));
}

void Reader::flushBytes() {
    if (m_bytes.isEmpty()) return;
    QString decoded = m_codePages.decode(m_bytes, m_bytesCodePage);
    m_bytes.clear();
    decoded.removeIf([](QChar c) { return !isText(c.unicode()); });
    prepareRun();
    m_builder.appendText(decoded);
}

void Reader::prepareRun() {
    if (!m_charDirty) return;
    m_charDirty = false;
    m_builder.setRunFormat(charFormat(), m_st.para.inTable);
}

void Reader::finish() {
    flushBytes();
    m_builder.flushRun(m_st.para.inTable);
    if (m_st.ownsPicture) finishPicture();
    m_builder.finish(blockFormat());
}

} // namespace rtf

namespace {
// Where the document starts after white space; -1 when it does not start as RTF.
qsizetype rtfStart(const QByteArray& bytes) {
    qsizetype i = 0;
    while (i < bytes.size() &&
           (bytes[i] == ' ' || bytes[i] == '\t' || bytes[i] == '\r' || bytes[i] == '\n'))
        ++i;
    return bytes.mid(i, 5) == "{\\rtf" ? i : -1;
}
} // namespace

RtfReadError readRtf(QIODevice& device, QTextDocument& document) {
    if (!device.isSequential() && device.size() - device.pos() > maxRtfBytes)
        return RtfReadError::TooLarge;
    QByteArray bytes;
    char chunk[65536];
    for (;;) {
        const qint64 n = device.read(chunk, sizeof chunk);
        if (n < 0) return RtfReadError::ReadFailed;
        if (n == 0) break;
        if (bytes.size() + n > maxRtfBytes) return RtfReadError::TooLarge;
        bytes.append(chunk, n);
    }
    const qsizetype start = rtfStart(bytes);
    if (start < 0) return RtfReadError::NotRtf;
    bytes.remove(0, start);

    document.clear();
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    // One edit block: the cursors then leave the layout alone while the document grows.
    QTextCursor block(&document);
    block.beginEditBlock();
    rtf::Reader(bytes, document).run();
    block.endEditBlock();
    document.setUndoRedoEnabled(undo);
    return RtfReadError::None;
}

} // namespace alambix
