#pragma once
// The reader behind readRtf(): a stack of group states over the tokens, each control word and
// each byte of text handed to the destination it belongs to.

#include "richtext/rtfcodepages.h"
#include "richtext/rtfdocumentbuilder.h"
#include "richtext/rtfkeywords.h"
#include "richtext/rtfpicture.h"
#include "richtext/rtfsymbols.h"
#include "richtext/rtftokenizer.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QList>
#include <QTextFormat>
#include <QTextOption>

#include <vector>

class QTextDocument;

namespace alambix::rtf {

// Where the text of a group goes.
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
    ListKind list = ListKind::None; // an item of the older RTF numbering
    int nextTabType = 0;
    QList<QTextOption::Tab> tabs;
};

// What a group opens with and gets back when it closes.
struct GroupState {
    CharState ch;
    ParaState para;
    Dest dest = Dest::Text;
    int uc = 1; // the characters that stand for a \u where it is not read
    bool ownsPicture = false;
    bool listText = false; // in a list item's bullet or number written as text
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
    PictureKind kind = PictureKind::Unknown;
    QByteArray data;
    int nibble = -1;
    int w = 0, h = 0, wGoal = 0, hGoal = 0, scaleX = 100, scaleY = 100;
    bool tooLarge = false;
};

class Reader {
public:
    Reader(QByteArrayView bytes, QTextDocument& document) : m_tokens(bytes), m_builder(document) {}

    void run();

private:
    // groups and tokens (rtfreader.cpp)
    void openGroup();
    void closeGroup();
    void skipGroup();
    void controlWord(const Token& token);
    void controlSymbol(char c);
    void text(std::string_view run);
    void destination(Word word);
    bool documentWord(Word word, int param);
    void fieldResult();
    void finish();

    // text (rtfreader.cpp)
    void byte(unsigned char b);
    void unicode(char32_t c);
    void literal(char16_t c);
    void flushBytes();
    void prepareRun();
    const Font* font(int number) const;
    int codePage(const Font* f) const; // of text in font `f` (the current font)

    // the font and colour tables (rtfdestinations.cpp)
    void fontTableWord(Word word, int param);
    void fontTableByte(unsigned char b);
    void fontNameCharacter(char16_t c);
    void decodeFontName(Font& f);
    void finishFontName();
    void colourTableWord(Word word, int param);
    void colourTableByte(unsigned char b);

    // pictures (rtfdestinations.cpp)
    bool pictureWord(Word word, int param);
    void pictureHex(std::string_view hex);
    void pictureBinary(QByteArrayView bytes);
    void finishPicture();

    // formats and tables (rtfformats.cpp)
    bool characterWord(Word word, bool hasParam, int param);
    bool paragraphWord(Word word, bool hasParam, int param);
    bool tableWord(Word word, bool hasParam, int param);
    void numberingWord(Word word);
    void endParagraph(bool pageBreak = false);
    void endCell();
    void endRow();
    QTextCharFormat charFormat() const;
    QTextBlockFormat blockFormat() const;

    Tokenizer m_tokens;
    DocumentBuilder m_builder;

    GroupState m_st;
    std::vector<GroupState> m_stack;
    int m_overflow = 0;  // groups opened beyond the deepest kept
    bool m_star = false; // \* read: the group's destination may be skipped if unknown
    int m_skipChars = 0; // characters left to skip after \u

    int m_ansiCodePage = 1252;
    int m_defaultFont = 0;
    QHash<int, Font> m_fonts;
    int m_currentFont = -1;
    QList<QColor> m_colours;
    int m_red = -1, m_green = -1, m_blue = -1;

    CodePages m_codePages;
    QByteArray m_bytes; // text not yet decoded
    int m_bytesCodePage = 0;
    bool m_charDirty = true; // the character format may have changed since the last run

    Picture m_picture;
    QByteArray m_fieldInstruction;
};

} // namespace alambix::rtf
