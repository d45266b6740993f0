// The reader's destinations that are no text: the font table, the colour table, pictures.
#include "richtext/rtfreader_p.h"

#include "richtext/rtfunits.h"

#include <algorithm>

namespace alambix::rtf {

namespace {
// Bounds that keep a hostile document cheap.
constexpr int maxFonts = 65536;
constexpr int maxColours = 65536;
constexpr qsizetype maxPictureBytes = qsizetype(64) << 20;
} // namespace

// {\fonttbl{\f0\fcharset0 Arial;}...}: each font's number, character set or code page, name.
void Reader::fontTableWord(Word word, int param) {
    switch (word) {
    case Word::F:
        if (m_currentFont >= 0) finishFontName();
        if (m_fonts.size() < maxFonts || m_fonts.contains(param)) {
            m_currentFont = param;
            m_fonts[param] = Font();
        } else {
            m_currentFont = -1;
        }
        return;
    case Word::Fcharset:
        if (m_currentFont >= 0) m_fonts[m_currentFont].charset = param;
        return;
    case Word::Cpg:
        if (m_currentFont >= 0) m_fonts[m_currentFont].codePage = param;
        return;
    case Word::U:
    case Word::Uc:
        documentWord(word, param); // a name written in Unicode, as this program writes it
        return;
    default:
        return;
    }
}

void Reader::fontTableByte(unsigned char b) {
    if (m_currentFont < 0) return;
    if (b == ';')
        finishFontName();
    else
        m_fonts[m_currentFont].nameBytes.append(char(b));
}

void Reader::fontNameCharacter(char16_t c) {
    if (m_currentFont < 0) return;
    Font& f = m_fonts[m_currentFont];
    decodeFontName(f);
    f.name += QChar(c);
}

// The bytes of the name so far, decoded.
void Reader::decodeFontName(Font& f) {
    if (f.nameBytes.isEmpty()) return;
    int cp = f.codePage > 0 ? f.codePage : codePageOfCharset(std::max(f.charset, 0));
    if (f.charset == 2 || cp == 0) cp = m_ansiCodePage;
    f.name += m_codePages.decodeName(f.nameBytes, cp);
    f.nameBytes.clear();
}

void Reader::finishFontName() {
    Font& f = m_fonts[m_currentFont];
    decodeFontName(f);
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

// {\colortbl ;\red0\green0\blue200;...}: an entry ends at each ';', the first is often empty.
void Reader::colourTableWord(Word word, int param) {
    const int v = std::clamp(param, 0, 255);
    if (word == Word::Red)
        m_red = v;
    else if (word == Word::Green)
        m_green = v;
    else if (word == Word::Blue)
        m_blue = v;
}

void Reader::colourTableByte(unsigned char b) {
    if (b != ';') return;
    if (m_colours.size() < maxColours) {
        if (m_red < 0 && m_green < 0 && m_blue < 0)
            m_colours.append(QColor());
        else
            m_colours.append(QColor(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0)));
    }
    m_red = m_green = m_blue = -1;
}

// {\pict\pngblip\picwgoal1500\pichgoal750 89504e47...}: the format, the sizes, then the data
// in hex (or after \bin).
bool Reader::pictureWord(Word word, int param) {
    Picture& pic = m_picture;
    switch (word) {
    case Word::Pngblip:
        pic.kind = PictureKind::Png;
        return true;
    case Word::Jpegblip:
        pic.kind = PictureKind::Jpeg;
        return true;
    case Word::Emfblip:
        pic.kind = PictureKind::Emf;
        return true;
    case Word::Wmetafile:
        pic.kind = PictureKind::Wmf;
        return true;
    case Word::Dibitmap:
        pic.kind = PictureKind::Dib;
        return true;
    case Word::Picw:
        pic.w = param;
        return true;
    case Word::Pich:
        pic.h = param;
        return true;
    case Word::Picwgoal:
        pic.wGoal = param;
        return true;
    case Word::Pichgoal:
        pic.hGoal = param;
        return true;
    case Word::Picscalex:
        pic.scaleX = param;
        return true;
    case Word::Picscaley:
        pic.scaleY = param;
        return true;
    default:
        return false;
    }
}

void Reader::pictureHex(std::string_view hex) {
    if (m_picture.tooLarge) return;
    for (char h : hex) {
        const int v = hexDigit(h);
        if (v < 0) continue;
        if (m_picture.nibble < 0) {
            m_picture.nibble = v;
        } else {
            m_picture.data.append(char(m_picture.nibble * 16 + v));
            m_picture.nibble = -1;
        }
    }
    if (m_picture.data.size() > maxPictureBytes) m_picture.tooLarge = true;
}

void Reader::pictureBinary(QByteArrayView bytes) {
    if (m_picture.tooLarge) return;
    if (bytes.size() > maxPictureBytes)
        m_picture.tooLarge = true;
    else
        m_picture.data.append(bytes);
}

void Reader::finishPicture() {
    Picture pic = std::move(m_picture);
    m_picture = Picture();
    if (pic.tooLarge || pic.data.isEmpty()) return;
    // The size shown: the goal size in twips, scaled; else the picture's own.
    const double sx = std::clamp(pic.scaleX, 1, 1000) / 100.0;
    const double sy = std::clamp(pic.scaleY, 1, 1000) / 100.0;
    QSizeF shown(pic.wGoal > 0 ? pixelsFromTwips(pic.wGoal) : 0,
                 pic.hGoal > 0 ? pixelsFromTwips(pic.hGoal) : 0);
    const bool metafile = pic.kind == PictureKind::Emf || pic.kind == PictureKind::Wmf;
    if (shown.isEmpty() && metafile && pic.w > 0 && pic.h > 0) // hundredths of a millimetre
        shown = QSizeF(pic.w * 96.0 / 2540.0, pic.h * 96.0 / 2540.0);
    const QSize vector = shown.isEmpty() ? QSize()
                                         : QSize(int(shown.width() * sx), int(shown.height() * sy))
                                               .boundedTo(QSize(maxPictureSide, maxPictureSide));
    const QImage image = decodePicture(pic.kind, pic.data, vector);
    if (image.isNull()) return;
    if (shown.isEmpty()) shown = image.size();
    shown = QSizeF(shown.width() * sx, shown.height() * sy);
    m_builder.insertPicture(image, pic.data,
                            QSizeF(std::min(shown.width(), double(maxPictureSide)),
                                   std::min(shown.height(), double(maxPictureSide))),
                            m_st.para.inTable);
}

} // namespace alambix::rtf
