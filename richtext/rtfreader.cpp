#include "richtext/rtfreader.h"

#include "richtext/rtfpicture.h"
#include "richtext/rtfsymbols.h"

#include <QHash>
#include <QIODevice>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <array>
#include <map>
#include <string_view>
#include <vector>

namespace alambix {

namespace {
using rtf::SymbolFont;

// Bounds that keep a hostile document cheap.
constexpr int maxDepth = 1000;
constexpr int maxFonts = 65536;
constexpr int maxColours = 65536;
constexpr int maxTabs = 64;
constexpr int maxColumns = 64;
constexpr int maxRows = 100000;
constexpr qsizetype maxPictureBytes = qsizetype(64) << 20;
constexpr int maxWordLength = 32;
constexpr int maxParamDigits = 10;

enum class Kw {
    // document
    Ansi,
    Mac,
    Pc,
    Pca,
    Ansicpg,
    Deff,
    Uc,
    U,
    Upr,
    Ud,
    // destinations
    Fonttbl,
    Colortbl,
    Skip,
    Pict,
    Field,
    Fldinst,
    Fldrslt,
    ListText,
    Pn,
    Pnlvlblt,
    Pnlvlbody,
    Shppict,
    Nonshppict,
    Shp,
    Shprslt,
    Object,
    Result,
    // fonts and colours
    F,
    Fcharset,
    Cpg,
    Red,
    Green,
    Blue,
    // character formats
    Plain,
    B,
    I,
    Ul,
    Ulnone,
    Strike,
    Sub,
    Super,
    Nosupersub,
    Up,
    Dn,
    Fs,
    Cf,
    Cb,
    Highlight,
    V,
    Caps,
    Scaps,
    // paragraph formats
    Pard,
    Ql,
    Qc,
    Qr,
    Qj,
    Li,
    Ri,
    Fi,
    Sb,
    Sa,
    Sl,
    Slmult,
    Tx,
    Tqr,
    Tqc,
    Tqdec,
    Pagebb,
    Intbl,
    Itap,
    // breaks and special characters
    Par,
    Sect,
    Page,
    Line,
    Tab,
    Emdash,
    Endash,
    Bullet,
    Lquote,
    Rquote,
    Ldblquote,
    Rdblquote,
    Emspace,
    Enspace,
    Qmspace,
    Zwj,
    Zwnj,
    Ltrmark,
    Rtlmark,
    // tables
    Trowd,
    Cellx,
    Cell,
    Row,
    Nestcell,
    Nestrow,
    // pictures
    Pngblip,
    Jpegblip,
    Emfblip,
    Wmetafile,
    Dibitmap,
    Picw,
    Pich,
    Picwgoal,
    Pichgoal,
    Picscalex,
    Picscaley,
    Bin,
};

struct Keyword {
    std::string_view name;
    Kw kw;
};

// Destinations whose content is never shown.
constexpr std::string_view skippedDestinations[] = {"aftncn",       "aftnsep",
                                                    "aftnsepc",     "annotation",
                                                    "atnauthor",    "atnid",
                                                    "atrfend",      "atrfstart",
                                                    "author",       "bkmkend",
                                                    "bkmkstart",    "blipuid",
                                                    "buptim",       "category",
                                                    "comment",      "company",
                                                    "creatim",      "datafield",
                                                    "datastore",    "do",
                                                    "docvar",       "doccomm",
                                                    "falt",         "fchars",
                                                    "filetbl",      "fname",
                                                    "footer",       "footerf",
                                                    "footerl",      "footerr",
                                                    "footnote",     "formfield",
                                                    "ftncn",        "ftnsep",
                                                    "ftnsepc",      "generator",
                                                    "header",       "headerf",
                                                    "headerl",      "headerr",
                                                    "info",         "keycode",
                                                    "keywords",     "latentstyles",
                                                    "lchars",       "listoverridetable",
                                                    "listpicture",  "listtable",
                                                    "manager",      "nesttableprops",
                                                    "nonesttables", "objclass",
                                                    "objdata",      "objname",
                                                    "operator",     "panose",
                                                    "pgdsctbl",     "picprop",
                                                    "bkmkstart",    "printim",
                                                    "private",      "revtbl",
                                                    "revtim",       "rsidtbl",
                                                    "shpinst",      "stylesheet",
                                                    "subject",      "tc",
                                                    "template",     "themedata",
                                                    "title",        "txe",
                                                    "userprops",    "xe",
                                                    "xmlnstbl",     "colorschememapping",
                                                    "mmathPr",      "wgrffmtfilter",
                                                    "pgptbl",       "protusertbl",
                                                    "fontemb",      "fontfile",
                                                    "ftnalt",       "sp",
                                                    "sn",           "sv",
                                                    "pnseclvl",     "pntxta",
                                                    "pntxtb",       "listlevel",
                                                    "list",         "hlinkbase",
                                                    "passwordhash", "pxe",
                                                    "mmath",        "oleclsid"};

const std::vector<Keyword>& keywords() {
    static const std::vector<Keyword> table = [] {
        std::vector<Keyword> k{{"ansi", Kw::Ansi},
                               {"mac", Kw::Mac},
                               {"pc", Kw::Pc},
                               {"pca", Kw::Pca},
                               {"ansicpg", Kw::Ansicpg},
                               {"deff", Kw::Deff},
                               {"uc", Kw::Uc},
                               {"u", Kw::U},
                               {"upr", Kw::Upr},
                               {"ud", Kw::Ud},
                               {"fonttbl", Kw::Fonttbl},
                               {"colortbl", Kw::Colortbl},
                               {"pict", Kw::Pict},
                               {"field", Kw::Field},
                               {"fldinst", Kw::Fldinst},
                               {"fldrslt", Kw::Fldrslt},
                               {"listtext", Kw::ListText},
                               {"pntext", Kw::ListText},
                               {"pn", Kw::Pn},
                               {"pnlvlblt", Kw::Pnlvlblt},
                               {"pnlvlbody", Kw::Pnlvlbody},
                               {"shppict", Kw::Shppict},
                               {"nonshppict", Kw::Nonshppict},
                               {"shp", Kw::Shp},
                               {"shprslt", Kw::Shprslt},
                               {"object", Kw::Object},
                               {"result", Kw::Result},
                               {"f", Kw::F},
                               {"fcharset", Kw::Fcharset},
                               {"cpg", Kw::Cpg},
                               {"red", Kw::Red},
                               {"green", Kw::Green},
                               {"blue", Kw::Blue},
                               {"plain", Kw::Plain},
                               {"b", Kw::B},
                               {"i", Kw::I},
                               {"ul", Kw::Ul},
                               {"uld", Kw::Ul},
                               {"uldb", Kw::Ul},
                               {"uldash", Kw::Ul},
                               {"ulth", Kw::Ul},
                               {"ulw", Kw::Ul},
                               {"ulwave", Kw::Ul},
                               {"uldashd", Kw::Ul},
                               {"uldashdd", Kw::Ul},
                               {"ulnone", Kw::Ulnone},
                               {"strike", Kw::Strike},
                               {"striked", Kw::Strike},
                               {"sub", Kw::Sub},
                               {"super", Kw::Super},
                               {"nosupersub", Kw::Nosupersub},
                               {"up", Kw::Up},
                               {"dn", Kw::Dn},
                               {"fs", Kw::Fs},
                               {"cf", Kw::Cf},
                               {"cb", Kw::Cb},
                               {"chcbpat", Kw::Cb},
                               {"highlight", Kw::Highlight},
                               {"v", Kw::V},
                               {"caps", Kw::Caps},
                               {"scaps", Kw::Scaps},
                               {"pard", Kw::Pard},
                               {"ql", Kw::Ql},
                               {"qc", Kw::Qc},
                               {"qr", Kw::Qr},
                               {"qj", Kw::Qj},
                               {"li", Kw::Li},
                               {"lin", Kw::Li},
                               {"ri", Kw::Ri},
                               {"rin", Kw::Ri},
                               {"fi", Kw::Fi},
                               {"sb", Kw::Sb},
                               {"sa", Kw::Sa},
                               {"sl", Kw::Sl},
                               {"slmult", Kw::Slmult},
                               {"tx", Kw::Tx},
                               {"tb", Kw::Tx},
                               {"tqr", Kw::Tqr},
                               {"tqc", Kw::Tqc},
                               {"tqdec", Kw::Tqdec},
                               {"pagebb", Kw::Pagebb},
                               {"intbl", Kw::Intbl},
                               {"itap", Kw::Itap},
                               {"par", Kw::Par},
                               {"sect", Kw::Sect},
                               {"page", Kw::Page},
                               {"line", Kw::Line},
                               {"tab", Kw::Tab},
                               {"emdash", Kw::Emdash},
                               {"endash", Kw::Endash},
                               {"bullet", Kw::Bullet},
                               {"lquote", Kw::Lquote},
                               {"rquote", Kw::Rquote},
                               {"ldblquote", Kw::Ldblquote},
                               {"rdblquote", Kw::Rdblquote},
                               {"emspace", Kw::Emspace},
                               {"enspace", Kw::Enspace},
                               {"qmspace", Kw::Qmspace},
                               {"zwj", Kw::Zwj},
                               {"zwnj", Kw::Zwnj},
                               {"ltrmark", Kw::Ltrmark},
                               {"rtlmark", Kw::Rtlmark},
                               {"trowd", Kw::Trowd},
                               {"cellx", Kw::Cellx},
                               {"cell", Kw::Cell},
                               {"row", Kw::Row},
                               {"nestcell", Kw::Nestcell},
                               {"nestrow", Kw::Nestrow},
                               {"pngblip", Kw::Pngblip},
                               {"jpegblip", Kw::Jpegblip},
                               {"emfblip", Kw::Emfblip},
                               {"wmetafile", Kw::Wmetafile},
                               {"dibitmap", Kw::Dibitmap},
                               {"picw", Kw::Picw},
                               {"pich", Kw::Pich},
                               {"picwgoal", Kw::Picwgoal},
                               {"pichgoal", Kw::Pichgoal},
                               {"picscalex", Kw::Picscalex},
                               {"picscaley", Kw::Picscaley},
                               {"bin", Kw::Bin}};
        for (std::string_view name : skippedDestinations)
            k.push_back({name, Kw::Skip});
        std::sort(k.begin(), k.end(),
                  [](const Keyword& a, const Keyword& b) { return a.name < b.name; });
        return k;
    }();
    return table;
}

const Keyword* findKeyword(std::string_view name) {
    const auto& table = keywords();
    auto it = std::lower_bound(table.begin(), table.end(), name,
                               [](const Keyword& k, std::string_view n) { return k.name < n; });
    return it != table.end() && it->name == name ? &*it : nullptr;
}

bool isDestination(Kw kw) {
    switch (kw) {
    case Kw::Fonttbl:
    case Kw::Colortbl:
    case Kw::Skip:
    case Kw::Pict:
    case Kw::Field:
    case Kw::Fldinst:
    case Kw::Fldrslt:
    case Kw::ListText:
    case Kw::Pn:
    case Kw::Shppict:
    case Kw::Nonshppict:
    case Kw::Shp:
    case Kw::Shprslt:
    case Kw::Object:
    case Kw::Result:
    case Kw::Upr:
    case Kw::Ud:
        return true;
    default:
        return false;
    }
}

int codePageOfCharset(int charset) {
    switch (charset) {
    case 0:
        return 1252;
    case 77:
        return 10000;
    case 128:
        return 932;
    case 129:
        return 949;
    case 134:
        return 936;
    case 136:
        return 950;
    case 161:
        return 1253;
    case 162:
        return 1254;
    case 163:
        return 1258;
    case 177:
        return 1255;
    case 178:
        return 1256;
    case 186:
        return 1257;
    case 204:
        return 1251;
    case 222:
        return 874;
    case 238:
        return 1250;
    case 254:
        return 437;
    case 255:
        return 850;
    default:
        return 0; // the document's code page
    }
}

QByteArray codecName(int codePage) {
    switch (codePage) {
    case 932:
        return "windows-31j";
    case 936:
        return "GBK";
    case 949:
        return "windows-949";
    case 950:
        return "Big5";
    case 10000:
        return "macintosh";
    case 10001:
        return "Shift_JIS";
    case 10007:
        return "x-mac-cyrillic";
    case 437:
        return "IBM437";
    case 850:
        return "IBM850";
    case 65001:
        return "UTF-8";
    default:
        return "windows-" + QByteArray::number(codePage);
    }
}

bool isDoubleByte(int codePage) {
    return codePage == 932 || codePage == 936 || codePage == 949 || codePage == 950 ||
           codePage == 10001;
}

enum class Dest : quint8 { Text, Skip, FontTable, ColorTable, Pict, FieldInst, Upr, Numbering };

struct CharState {
    int font = -1; // -1: the default font
    int halfPoints = 24;
    bool bold = false, italic = false, underline = false, strike = false, hidden = false;
    int capitals = 0; // 1 all capitals, 2 small capitals
    int vertical = 0; // -1 subscript, 1 superscript
    int foreground = 0, background = 0;
    bool operator==(const CharState&) const = default;
};

struct ParaState {
    int align = 0; // 0 left, 1 centre, 2 right, 3 justified
    int left = 0, right = 0, first = 0, before = 0, after = 0, lineSpacing = 0;
    bool lineMultiple = false, pageBreak = false, inTable = false;
    int list = 0; // a list item of the older RTF numbering: 1 bulleted, 2 numbered
    int nextTabType = 0;
    QList<QTextOption::Tab> tabs;
};

struct State {
    CharState ch;
    ParaState para;
    Dest dest = Dest::Text;
    int uc = 1;
    bool ownsPicture = false;
    bool fieldResult = false;
    bool listText = false;
    QString link;
};

struct Font {
    QString name;
    QByteArray nameBytes;
    int charset = -1;
    int codePage = 0;
    SymbolFont symbol = SymbolFont::None;
};

struct Picture {
    rtf::PictureKind kind = rtf::PictureKind::Unknown;
    QByteArray data;
    int nibble = -1;
    int w = 0, h = 0, wGoal = 0, hGoal = 0, scaleX = 100, scaleY = 100;
    bool tooLarge = false;
};

class Parser {
public:
    Parser(const QByteArray& bytes, QTextDocument& document)
        : m_p(bytes.constData()), m_end(bytes.constData() + bytes.size()), m_doc(document),
          m_cursor(&document) {}

    void run();

private:
    // tokens
    void controlWord();
    void controlSymbol();
    void text();
    void openGroup();
    void closeGroup();
    void skipGroup();
    void word(std::string_view name, bool hasParam, int param);
    void destination(Kw kw);

    // text output
    void byte(unsigned char b);
    void unicode(char32_t c);
    void literal(char16_t c);
    void flushBytes();
    QString decodePairs(QStringDecoder& decoder);
    QStringDecoder& decoderFor(int codePage);
    void flushRun();
    void prepareRun();
    QTextCharFormat charFormat() const;
    QTextBlockFormat blockFormat() const;
    const Font* font(int number) const;
    int codePage() const;

    // structure
    void place();
    void endParagraph(bool pageBreak = false);
    void enterTable();
    void leaveTable();
    void endCell();
    void endRow();
    void nextColumn();
    void finishPicture();
    void finishFontName();
    void finish();

    const char* m_p;
    const char* m_end;
    QTextDocument& m_doc;
    QTextCursor m_cursor;

    State m_st;
    std::vector<State> m_stack;
    int m_overflow = 0;
    bool m_star = false;
    int m_skipChars = 0;

    int m_ansiCodePage = 1252;
    int m_defaultFont = 0;
    QHash<int, Font> m_fonts;
    int m_currentFont = -1;
    QList<QColor> m_colours;
    int m_red = -1, m_green = -1, m_blue = -1;

    QByteArray m_bytes;
    int m_bytesCodePage = 0;
    std::map<int, QStringDecoder> m_decoders;
    QString m_run;
    QTextCharFormat m_runFormat;
    bool m_charDirty = true;

    QTextTable* m_table = nullptr;
    QTextList* m_list = nullptr;            // the list the last paragraph was an item of
    std::pair<int, int> m_listText{-1, -1}; // where the last list item's text was put
    int m_row = 0, m_column = 0;
    bool m_rowEnded = false, m_cellEnded = false;
    std::vector<int> m_cellEdges;

    Picture m_picture;
    QByteArray m_fieldInstruction;
    int m_pictureCount = 0;
};

void Parser::run() {
    // The first group is the document itself.
    while (m_p < m_end) {
        const char c = *m_p;
        if (c == '{') {
            ++m_p;
            openGroup();
        } else if (c == '}') {
            ++m_p;
            closeGroup();
        } else if (c == '\\') {
            ++m_p;
            if (m_p >= m_end) break;
            if ((*m_p >= 'a' && *m_p <= 'z') || (*m_p >= 'A' && *m_p <= 'Z'))
                controlWord();
            else
                controlSymbol();
        } else if (c == '\r' || c == '\n') {
            ++m_p;
        } else {
            text();
        }
    }
    finish();
}

void Parser::openGroup() {
    flushBytes();
    m_star = false;
    if (m_stack.size() >= maxDepth) {
        ++m_overflow;
        return;
    }
    m_stack.push_back(m_st);
    m_st.ownsPicture = false;
}

void Parser::closeGroup() {
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
    if (m_st.listText && !m_stack.back().listText) {
        flushRun();
        m_listText.second = m_cursor.position();
    }
    // The numbering group tells what the paragraph around it is.
    if (m_st.dest == Dest::Numbering && m_st.para.list) m_stack.back().para.list = m_st.para.list;
    const bool charChanged = !(m_stack.back().ch == m_st.ch) || m_stack.back().link != m_st.link;
    m_st = std::move(m_stack.back());
    m_stack.pop_back();
    if (charChanged) m_charDirty = true;
}

// Moves to the '}' that closes the current group, leaving it to be read.
void Parser::skipGroup() {
    int depth = 0;
    while (m_p < m_end) {
        const char c = *m_p;
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (depth == 0) return;
            --depth;
        } else if (c == '\\') {
            ++m_p;
            if (m_p >= m_end) return;
            if (*m_p == 'b' && m_end - m_p > 3 && m_p[1] == 'i' && m_p[2] == 'n' &&
                (m_p[3] == '-' || (m_p[3] >= '0' && m_p[3] <= '9'))) {
                // \binN in skipped text still hides N raw bytes.
                m_p += 3;
                qint64 n = 0;
                int digits = 0;
                bool negative = *m_p == '-';
                if (negative) ++m_p;
                while (m_p < m_end && *m_p >= '0' && *m_p <= '9' && digits < maxParamDigits) {
                    n = n * 10 + (*m_p - '0');
                    ++m_p, ++digits;
                }
                if (m_p < m_end && *m_p == ' ') ++m_p;
                if (negative || n > m_end - m_p) {
                    m_p = m_end;
                    return;
                }
                m_p += n;
                continue;
            }
        }
        ++m_p;
    }
}

void Parser::controlWord() {
    const char* start = m_p;
    while (m_p < m_end && ((*m_p >= 'a' && *m_p <= 'z') || (*m_p >= 'A' && *m_p <= 'Z')))
        ++m_p;
    const std::string_view name(start, std::size_t(m_p - start));
    bool negative = false, hasParam = false;
    qint64 value = 0;
    if (m_p < m_end && *m_p == '-' && m_p + 1 < m_end && m_p[1] >= '0' && m_p[1] <= '9') {
        negative = true;
        ++m_p;
    }
    int digits = 0;
    while (m_p < m_end && *m_p >= '0' && *m_p <= '9') {
        if (digits < maxParamDigits) value = value * 10 + (*m_p - '0');
        ++digits;
        ++m_p;
        hasParam = true;
    }
    if (m_p < m_end && *m_p == ' ') ++m_p;
    value = std::clamp<qint64>(negative ? -value : value, -2147483647, 2147483647);
    if (name.size() > std::size_t(maxWordLength)) {
        m_star = false;
        return;
    }
    word(name, hasParam, int(value));
}

void Parser::controlSymbol() {
    const char c = *m_p++;
    switch (c) {
    case '\'': {
        auto hex = [](char h) {
            if (h >= '0' && h <= '9') return h - '0';
            if (h >= 'a' && h <= 'f') return h - 'a' + 10;
            if (h >= 'A' && h <= 'F') return h - 'A' + 10;
            return -1;
        };
        if (m_end - m_p < 2) {
            m_p = m_end;
            return;
        }
        const int hi = hex(m_p[0]), lo = hex(m_p[1]);
        m_p += 2;
        if (hi >= 0 && lo >= 0) byte(static_cast<unsigned char>(hi * 16 + lo));
        return;
    }
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

void Parser::text() {
    // A run of plain bytes up to the next brace, backslash or line end.
    const char* start = m_p;
    while (m_p < m_end && *m_p != '{' && *m_p != '}' && *m_p != '\\' && *m_p != '\r' &&
           *m_p != '\n')
        ++m_p;
    m_star = false;
    if (m_st.dest == Dest::Skip || m_st.dest == Dest::Upr) return;
    if (m_st.dest == Dest::Pict) {
        if (m_picture.tooLarge) return;
        for (const char* q = start; q < m_p; ++q) {
            const char h = *q;
            int v;
            if (h >= '0' && h <= '9')
                v = h - '0';
            else if (h >= 'a' && h <= 'f')
                v = h - 'a' + 10;
            else if (h >= 'A' && h <= 'F')
                v = h - 'A' + 10;
            else
                continue;
            if (m_picture.nibble < 0) {
                m_picture.nibble = v;
            } else {
                m_picture.data.append(char(m_picture.nibble * 16 + v));
                m_picture.nibble = -1;
            }
        }
        if (m_picture.data.size() > maxPictureBytes) m_picture.tooLarge = true;
        return;
    }
    if (m_st.dest == Dest::Text && m_skipChars == 0 && !m_st.ch.hidden) {
        // The common case: text in a plain font, taken whole.
        const Font* f = font(m_st.ch.font);
        if (!f || f->symbol == SymbolFont::None) {
            const int cp = codePage();
            if (!m_bytes.isEmpty() && cp != m_bytesCodePage) flushBytes();
            m_bytesCodePage = cp;
            m_bytes.append(start, m_p - start);
            return;
        }
    }
    for (const char* q = start; q < m_p; ++q)
        byte(static_cast<unsigned char>(*q));
}

void Parser::word(std::string_view name, bool hasParam, int param) {
    const Keyword* k = findKeyword(name);
    const bool star = m_star;
    m_star = false;
    if (!k) {
        if (star) skipGroup();
        return;
    }
    const Kw kw = k->kw;
    if (isDestination(kw)) {
        destination(kw);
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
    // A control word ends the characters left to skip after \u.
    if (kw != Kw::U && kw != Kw::Bin) m_skipChars = 0;
    const bool on = !hasParam || param != 0;
    CharState& ch = m_st.ch;
    ParaState& pa = m_st.para;
    const CharState before = ch;

    if (m_st.dest == Dest::Numbering) {
        if (kw == Kw::Pnlvlblt) pa.list = 1;
        if (kw == Kw::Pnlvlbody) pa.list = 2;
        return;
    }
    if (m_st.dest == Dest::FontTable) {
        switch (kw) {
        case Kw::F:
            if (m_currentFont >= 0) finishFontName();
            if (m_fonts.size() < maxFonts || m_fonts.contains(param)) {
                m_currentFont = param;
                m_fonts[param] = Font();
            } else {
                m_currentFont = -1;
            }
            return;
        case Kw::Fcharset:
            if (m_currentFont >= 0) m_fonts[m_currentFont].charset = param;
            return;
        case Kw::Cpg:
            if (m_currentFont >= 0) m_fonts[m_currentFont].codePage = param;
            return;
        default:
            return;
        }
    }
    if (m_st.dest == Dest::ColorTable) {
        const int v = std::clamp(param, 0, 255);
        if (kw == Kw::Red)
            m_red = v;
        else if (kw == Kw::Green)
            m_green = v;
        else if (kw == Kw::Blue)
            m_blue = v;
        return;
    }
    if (m_st.dest == Dest::Pict) {
        Picture& pic = m_picture;
        switch (kw) {
        case Kw::Pngblip:
            pic.kind = rtf::PictureKind::Png;
            return;
        case Kw::Jpegblip:
            pic.kind = rtf::PictureKind::Jpeg;
            return;
        case Kw::Emfblip:
            pic.kind = rtf::PictureKind::Emf;
            return;
        case Kw::Wmetafile:
            pic.kind = rtf::PictureKind::Wmf;
            return;
        case Kw::Dibitmap:
            pic.kind = rtf::PictureKind::Dib;
            return;
        case Kw::Picw:
            pic.w = param;
            return;
        case Kw::Pich:
            pic.h = param;
            return;
        case Kw::Picwgoal:
            pic.wGoal = param;
            return;
        case Kw::Pichgoal:
            pic.hGoal = param;
            return;
        case Kw::Picscalex:
            pic.scaleX = param;
            return;
        case Kw::Picscaley:
            pic.scaleY = param;
            return;
        default:
            break;
        }
    }

    switch (kw) {
    case Kw::Ansi:
        m_ansiCodePage = 1252;
        break;
    case Kw::Mac:
        m_ansiCodePage = 10000;
        break;
    case Kw::Pc:
        m_ansiCodePage = 437;
        break;
    case Kw::Pca:
        m_ansiCodePage = 850;
        break;
    case Kw::Ansicpg:
        if (param > 0) m_ansiCodePage = param;
        break;
    case Kw::Deff:
        m_defaultFont = param;
        m_charDirty = true;
        break;
    case Kw::Uc:
        m_st.uc = std::clamp(param, 0, 10);
        break;
    case Kw::U: {
        int v = param;
        if (v < 0) v += 65536;
        if (v >= 0 && v <= 0xFFFF) unicode(char32_t(v));
        m_skipChars = m_st.uc;
        break;
    }
    case Kw::Bin: {
        if (param < 0 || param > m_end - m_p) {
            m_p = m_end; // a \bin longer than the document: nothing after it can be read
            break;
        }
        if (m_st.dest == Dest::Pict && !m_picture.tooLarge) {
            if (param > maxPictureBytes)
                m_picture.tooLarge = true;
            else
                m_picture.data.append(m_p, param);
        }
        m_p += param;
        if (m_skipChars > 0) --m_skipChars;
        break;
    }
    case Kw::F:
        ch.font = param;
        break;
    case Kw::Plain:
        ch = CharState();
        break;
    case Kw::B:
        ch.bold = on;
        break;
    case Kw::I:
        ch.italic = on;
        break;
    case Kw::Ul:
        ch.underline = on;
        break;
    case Kw::Ulnone:
        ch.underline = false;
        break;
    case Kw::Strike:
        ch.strike = on;
        break;
    case Kw::Sub:
        ch.vertical = on ? -1 : 0;
        break;
    case Kw::Super:
        ch.vertical = on ? 1 : 0;
        break;
    case Kw::Nosupersub:
        ch.vertical = 0;
        break;
    case Kw::Up:
        ch.vertical = (!hasParam || param > 0) ? 1 : 0;
        break;
    case Kw::Dn:
        ch.vertical = (!hasParam || param > 0) ? -1 : 0;
        break;
    case Kw::Fs:
        ch.halfPoints = hasParam && param > 0 ? std::min(param, 3276) : 24;
        break;
    case Kw::Cf:
        ch.foreground = std::max(param, 0);
        break;
    case Kw::Cb:
    case Kw::Highlight:
        ch.background = std::max(param, 0);
        break;
    case Kw::V:
        ch.hidden = on;
        break;
    case Kw::Caps:
        ch.capitals = on ? 1 : 0;
        break;
    case Kw::Scaps:
        ch.capitals = on ? 2 : 0;
        break;
    case Kw::Pard:
        pa = ParaState();
        break;
    case Kw::Ql:
        pa.align = 0;
        break;
    case Kw::Qc:
        pa.align = 1;
        break;
    case Kw::Qr:
        pa.align = 2;
        break;
    case Kw::Qj:
        pa.align = 3;
        break;
    case Kw::Li:
        pa.left = param;
        break;
    case Kw::Ri:
        pa.right = param;
        break;
    case Kw::Fi:
        pa.first = param;
        break;
    case Kw::Sb:
        pa.before = param;
        break;
    case Kw::Sa:
        pa.after = param;
        break;
    case Kw::Sl:
        pa.lineSpacing = param;
        break;
    case Kw::Slmult:
        pa.lineMultiple = on;
        break;
    case Kw::Tqr:
        pa.nextTabType = 2;
        break;
    case Kw::Tqc:
        pa.nextTabType = 1;
        break;
    case Kw::Tqdec:
        pa.nextTabType = 3;
        break;
    case Kw::Tx:
        if (pa.tabs.size() < maxTabs && param >= 0) {
            static constexpr QTextOption::TabType types[] = {
                QTextOption::LeftTab, QTextOption::CenterTab, QTextOption::RightTab,
                QTextOption::DelimiterTab};
            pa.tabs.append(QTextOption::Tab(param / 15.0, types[pa.nextTabType],
                                            pa.nextTabType == 3 ? QChar(u'.') : QChar()));
        }
        pa.nextTabType = 0;
        break;
    case Kw::Pagebb:
        pa.pageBreak = on;
        break;
    case Kw::Intbl:
        pa.inTable = on;
        break;
    case Kw::Itap:
        pa.inTable = param > 0;
        break;
    case Kw::Par:
        if (m_st.dest == Dest::Text) endParagraph();
        break;
    case Kw::Sect:
        if (m_st.dest == Dest::Text) endParagraph();
        break;
    case Kw::Page:
        if (m_st.dest == Dest::Text) endParagraph(true);
        break;
    case Kw::Line:
        literal(QChar::LineSeparator);
        break;
    case Kw::Tab:
        literal(u'\t');
        break;
    case Kw::Emdash:
        literal(0x2014);
        break;
    case Kw::Endash:
        literal(0x2013);
        break;
    case Kw::Bullet:
        literal(0x2022);
        break;
    case Kw::Lquote:
        literal(0x2018);
        break;
    case Kw::Rquote:
        literal(0x2019);
        break;
    case Kw::Ldblquote:
        literal(0x201C);
        break;
    case Kw::Rdblquote:
        literal(0x201D);
        break;
    case Kw::Emspace:
        literal(0x2003);
        break;
    case Kw::Enspace:
        literal(0x2002);
        break;
    case Kw::Qmspace:
        literal(0x2005);
        break;
    case Kw::Zwj:
        literal(0x200D);
        break;
    case Kw::Zwnj:
        literal(0x200C);
        break;
    case Kw::Ltrmark:
        literal(0x200E);
        break;
    case Kw::Rtlmark:
        literal(0x200F);
        break;
    case Kw::Trowd:
        m_cellEdges.clear();
        break;
    case Kw::Cellx:
        if (m_cellEdges.size() < std::size_t(maxColumns)) m_cellEdges.push_back(param);
        break;
    case Kw::Cell:
        if (m_st.dest == Dest::Text) endCell();
        break;
    case Kw::Row:
        if (m_st.dest == Dest::Text) endRow();
        break;
    case Kw::Nestcell:
    case Kw::Nestrow:
        // Nested tables are read flat: their cells become paragraphs of the outer cell.
        if (m_st.dest == Dest::Text) endParagraph();
        break;
    default:
        break;
    }
    if (!(before == ch)) m_charDirty = true;
}

void Parser::destination(Kw kw) {
    flushBytes();
    if (m_st.dest == Dest::Skip) return;
    switch (kw) {
    case Kw::Fonttbl:
        m_st.dest = Dest::FontTable;
        m_currentFont = -1;
        break;
    case Kw::Colortbl:
        m_st.dest = Dest::ColorTable;
        m_red = m_green = m_blue = -1;
        break;
    case Kw::Pict:
        if (m_st.dest != Dest::Text || m_st.ownsPicture) {
            m_st.dest = Dest::Skip;
            skipGroup();
            break;
        }
        m_st.dest = Dest::Pict;
        m_st.ownsPicture = true;
        m_picture = Picture();
        break;
    case Kw::Fldinst:
        if (m_st.dest == Dest::Text) {
            m_st.dest = Dest::FieldInst;
            m_fieldInstruction.clear();
        } else {
            m_st.dest = Dest::Skip;
            skipGroup();
        }
        break;
    case Kw::Fldrslt:
        if (m_st.dest == Dest::Text) {
            // A hyperlink's result keeps its target.
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
        break;
    case Kw::Upr:
        if (m_st.dest == Dest::Text) m_st.dest = Dest::Upr;
        break;
    case Kw::Pn:
        // A paragraph's number or bullet in the older RTF numbering: only its kind is kept.
        if (m_st.dest == Dest::Text) {
            m_st.dest = Dest::Numbering;
        } else {
            m_st.dest = Dest::Skip;
            skipGroup();
        }
        break;
    case Kw::Ud:
        if (m_st.dest == Dest::Upr) m_st.dest = Dest::Text;
        break;
    case Kw::ListText:
        // A list item's bullet or number as text, for readers that draw no list: it stays
        // unless the older numbering that follows makes the paragraph a list item.
        if (m_st.dest == Dest::Text) {
            flushBytes();
            flushRun();
            m_st.listText = true;
            m_listText = {m_cursor.position(), m_cursor.position()};
        }
        break;
    case Kw::Field:
    case Kw::Shppict:
    case Kw::Shp:
    case Kw::Shprslt:
    case Kw::Object:
    case Kw::Result:
        break; // their text is shown as it comes
    default:   // Skip, Nonshppict
        if (m_st.dest != Dest::Upr) {
            m_st.dest = Dest::Skip;
            skipGroup();
        }
        break;
    }
}

const Font* Parser::font(int number) const {
    auto it = m_fonts.constFind(number < 0 ? m_defaultFont : number);
    return it == m_fonts.constEnd() ? nullptr : &*it;
}

int Parser::codePage() const {
    if (const Font* f = font(m_st.ch.font)) {
        if (f->codePage > 0) return f->codePage;
        if (f->charset > 0 || (f->charset == 0 && m_ansiCodePage == 1252)) {
            const int cp = codePageOfCharset(f->charset);
            if (cp) return cp;
        }
    }
    return m_ansiCodePage;
}

void Parser::byte(unsigned char b) {
    if (m_skipChars > 0 && (m_st.dest == Dest::Text || m_st.dest == Dest::FontTable)) {
        --m_skipChars;
        return;
    }
    switch (m_st.dest) {
    case Dest::Text:
        break;
    case Dest::FontTable:
        if (m_currentFont < 0) return;
        if (b == ';')
            finishFontName();
        else
            m_fonts[m_currentFont].nameBytes.append(char(b));
        return;
    case Dest::ColorTable:
        if (b == ';') {
            if (m_colours.size() < maxColours) {
                if (m_red < 0 && m_green < 0 && m_blue < 0)
                    m_colours.append(QColor());
                else
                    m_colours.append(
                        QColor(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0)));
            }
            m_red = m_green = m_blue = -1;
        }
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
        const char16_t c = rtf::symbolToUnicode(f->symbol, b);
        if (c) literal(c);
        return;
    }
    const int cp = codePage();
    if (!m_bytes.isEmpty() && cp != m_bytesCodePage) flushBytes();
    m_bytesCodePage = cp;
    m_bytes.append(char(b));
}

void Parser::unicode(char32_t c) {
    if (m_st.dest == Dest::FontTable) {
        if (m_currentFont >= 0) {
            flushBytes();
            m_fonts[m_currentFont].name += QChar(char16_t(c));
        }
        return;
    }
    if (m_st.dest != Dest::Text) return;
    // Symbol characters written as private-use code points.
    const Font* f = font(m_st.ch.font);
    if (f && f->symbol != SymbolFont::None && c >= 0xF020 && c <= 0xF0FF) {
        const char16_t mapped = rtf::symbolToUnicode(f->symbol, static_cast<unsigned char>(c));
        if (mapped) c = mapped;
    }
    literal(char16_t(c));
}

// Control characters other than the tab, and the object mark the document keeps for its
// pictures, are not text.
bool isText(char16_t c) {
    return (c >= 0x20 || c == u'\t') && c != QChar::ObjectReplacementCharacter;
}

void Parser::literal(char16_t c) {
    if (m_st.dest != Dest::Text || m_st.ch.hidden || !isText(c)) return;
    flushBytes();
    prepareRun();
    m_run.append(QChar(c));
}

void Parser::flushBytes() {
    if (m_bytes.isEmpty()) return;
    QString decoded;
    bool ascii = true;
    for (char c : std::as_const(m_bytes))
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) {
        decoded = QString::fromLatin1(m_bytes);
    } else {
        QStringDecoder& decoder = decoderFor(m_bytesCodePage);
        decoded = decoder.decode(m_bytes);
        decoder.resetState();
        if (decoded.contains(QChar::ReplacementCharacter) && isDoubleByte(m_bytesCodePage))
            decoded = decodePairs(decoder);
    }
    m_bytes.clear();
    decoded.removeIf([](QChar c) { return !isText(c.unicode()); });
    prepareRun();
    m_run += decoded;
}

// A double-byte text with stray bytes: each pair that makes a character is one, every other
// byte is read as Windows-1252 (what word processors do with such bytes).
QString Parser::decodePairs(QStringDecoder& decoder) {
    QStringDecoder& single = decoderFor(1252);
    QString out;
    for (qsizetype i = 0; i < m_bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(m_bytes[i]);
        if (b < 0x80) {
            out += QLatin1Char(char(b));
            continue;
        }
        if (i + 1 < m_bytes.size()) {
            const QString pair = decoder.decode(QByteArrayView(m_bytes.constData() + i, 2));
            decoder.resetState();
            if (pair.size() == 1 && pair[0] != QChar::ReplacementCharacter) {
                out += pair;
                ++i;
                continue;
            }
        }
        out += single.decode(QByteArrayView(m_bytes.constData() + i, 1));
    }
    return out;
}

QStringDecoder& Parser::decoderFor(int codePage) {
    auto it = m_decoders.find(codePage);
    if (it == m_decoders.end()) {
        QStringDecoder decoder(codecName(codePage).constData());
        if (!decoder.isValid()) decoder = QStringDecoder("windows-1252");
        it = m_decoders.emplace(codePage, std::move(decoder)).first;
    }
    return it->second;
}

void Parser::prepareRun() {
    if (!m_charDirty) return;
    m_charDirty = false;
    QTextCharFormat format = charFormat();
    if (format != m_runFormat) {
        flushRun();
        m_runFormat = format;
    }
}

void Parser::flushRun() {
    if (m_run.isEmpty()) return;
    place();
    m_cursor.insertText(m_run, m_runFormat);
    m_run.clear();
}

QTextCharFormat Parser::charFormat() const {
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

QTextBlockFormat Parser::blockFormat() const {
    const ParaState& pa = m_st.para;
    QTextBlockFormat format;
    static constexpr Qt::Alignment aligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                               Qt::AlignJustify};
    format.setAlignment(aligns[pa.align]);
    // A list item's indents are the list's.
    if (pa.left && !pa.list) format.setLeftMargin(pa.left / 15.0);
    if (pa.right) format.setRightMargin(pa.right / 15.0);
    if (pa.first && !pa.list) format.setTextIndent(pa.first / 15.0);
    if (pa.before) format.setTopMargin(pa.before / 15.0);
    if (pa.after) format.setBottomMargin(pa.after / 15.0);
    if (pa.lineSpacing && pa.lineMultiple)
        format.setLineHeight(std::abs(pa.lineSpacing) * 100.0 / 240.0,
                             QTextBlockFormat::ProportionalHeight);
    else if (pa.lineSpacing < 0)
        format.setLineHeight(-pa.lineSpacing / 15.0, QTextBlockFormat::FixedHeight);
    else if (pa.lineSpacing > 0)
        format.setLineHeight(pa.lineSpacing / 15.0, QTextBlockFormat::MinimumHeight);
    if (!pa.tabs.isEmpty()) format.setTabPositions(pa.tabs);
    return format;
}

// Puts the cursor where the coming content belongs: in or out of a table.
void Parser::place() {
    if (m_st.para.inTable) {
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

void Parser::enterTable() {
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
    int previous = 0;
    for (int edge : m_cellEdges) {
        widths.append(QTextLength(QTextLength::FixedLength, std::max(edge - previous, 15) / 15.0));
        previous = edge;
    }
    if (!widths.isEmpty()) format.setColumnWidthConstraints(widths);
    m_table = m_cursor.insertTable(1, columns, format);
    m_row = m_column = 0;
    m_rowEnded = m_cellEnded = false;
    m_cursor = m_table->cellAt(0, 0).firstCursorPosition();
}

void Parser::leaveTable() {
    m_cursor = m_table->lastCursorPosition();
    m_cursor.movePosition(QTextCursor::NextBlock);
    m_table = nullptr;
    m_rowEnded = m_cellEnded = false;
}

void Parser::endParagraph(bool pageBreak) {
    flushBytes();
    flushRun();
    place();
    QTextBlockFormat format = blockFormat();
    if (m_st.para.pageBreak) format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    m_cursor.setBlockFormat(format);
    // Items in a row make one list, which draws their bullets and numbers: the ones written
    // as text at the start of the paragraph go.
    if (m_st.para.list && !m_table) {
        if (m_listText.first == m_cursor.block().position() &&
            m_listText.first < m_listText.second && m_cursor.block().contains(m_listText.second)) {
            QTextCursor text(m_cursor);
            text.setPosition(m_listText.first);
            text.setPosition(m_listText.second, QTextCursor::KeepAnchor);
            text.removeSelectedText();
        }
        const QTextListFormat::Style style =
            m_st.para.list == 1 ? QTextListFormat::ListDisc : QTextListFormat::ListDecimal;
        if (m_list && m_list->format().style() == style) {
            m_list->add(m_cursor.block());
        } else {
            QTextListFormat list;
            list.setStyle(style);
            list.setIndent(1);
            m_list = m_cursor.createList(list);
        }
    } else {
        m_list = nullptr;
    }
    QTextBlockFormat next;
    if (pageBreak) next.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    m_cursor.insertBlock(next, m_runFormat);
}

void Parser::endCell() {
    flushBytes();
    flushRun();
    m_st.para.inTable = true;
    place();
    if (!m_table) return;
    m_cursor.setBlockFormat(blockFormat());
    m_cellEnded = true;
}

void Parser::nextColumn() {
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

void Parser::endRow() {
    flushBytes();
    flushRun();
    if (m_table) {
        m_rowEnded = true;
        m_cellEnded = false;
    }
}

void Parser::finishFontName() {
    Font& f = m_fonts[m_currentFont];
    if (!f.nameBytes.isEmpty()) {
        int cp = f.codePage > 0 ? f.codePage : codePageOfCharset(std::max(f.charset, 0));
        if (f.charset == 2 || cp == 0) cp = m_ansiCodePage;
        QStringDecoder decoder(codecName(cp).constData());
        f.name +=
            decoder.isValid() ? decoder.decode(f.nameBytes) : QString::fromLatin1(f.nameBytes);
        f.nameBytes.clear();
    }
    f.name = f.name.trimmed();
    const QString lower = f.name.toLower();
    // A font named so with a text character set (what this program writes) holds Unicode.
    const bool symbolSet = f.charset == 2 || f.charset < 0;
    if (symbolSet && lower.startsWith(QLatin1String("wingdings")))
        f.symbol = SymbolFont::Wingdings;
    else if (f.charset == 2 || (symbolSet && lower == QLatin1String("symbol")))
        f.symbol = SymbolFont::Symbol;
    m_currentFont = -1;
    m_charDirty = true;
}

void Parser::finishPicture() {
    Picture pic = std::move(m_picture);
    m_picture = Picture();
    if (pic.tooLarge || pic.data.isEmpty()) return;
    // The size shown: the goal size in twips, scaled; else the picture's own.
    const double sx = std::clamp(pic.scaleX, 1, 1000) / 100.0;
    const double sy = std::clamp(pic.scaleY, 1, 1000) / 100.0;
    QSizeF shown(pic.wGoal > 0 ? pic.wGoal / 15.0 : 0, pic.hGoal > 0 ? pic.hGoal / 15.0 : 0);
    const bool metafile = pic.kind == rtf::PictureKind::Emf || pic.kind == rtf::PictureKind::Wmf;
    if (shown.isEmpty() && metafile && pic.w > 0 && pic.h > 0) // hundredths of a millimetre
        shown = QSizeF(pic.w * 96.0 / 2540.0, pic.h * 96.0 / 2540.0);
    const QSize vector = shown.isEmpty()
                             ? QSize()
                             : QSize(int(shown.width() * sx), int(shown.height() * sy))
                                   .boundedTo(QSize(rtf::maxPictureSide, rtf::maxPictureSide));
    const QImage image = rtf::decodePicture(pic.kind, pic.data, vector);
    if (image.isNull()) return;
    if (shown.isEmpty()) shown = image.size();
    shown = QSizeF(shown.width() * sx, shown.height() * sy);
    const QString name = QStringLiteral("rtfimage://%1").arg(++m_pictureCount);
    m_doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
    flushRun();
    place();
    QTextImageFormat format;
    format.setName(name);
    format.setWidth(std::min(shown.width(), double(rtf::maxPictureSide)));
    format.setHeight(std::min(shown.height(), double(rtf::maxPictureSide)));
    m_cursor.insertImage(format);
}

void Parser::finish() {
    flushBytes();
    flushRun();
    if (m_st.ownsPicture) finishPicture();
    m_cursor.setBlockFormat(blockFormat());
    // The last \par ends the last paragraph; it does not open an empty one.
    QTextCursor end(&m_doc);
    end.movePosition(QTextCursor::End);
    const QTextBlock last = end.block();
    if (last.length() == 1 && last.previous().isValid() && !end.currentTable() &&
        !QTextCursor(last.previous()).currentTable() &&
        last.previous().blockFormat().pageBreakPolicy() == last.blockFormat().pageBreakPolicy())
        end.deletePreviousChar();
}

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
    Parser(bytes, document).run();
    block.endEditBlock();
    document.setUndoRedoEnabled(undo);
    return RtfReadError::None;
}

} // namespace alambix
