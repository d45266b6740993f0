#include "richtext/rtfwriter.h"

#include "core/textcodec.h"
#include "richtext/documentpictures.h"
#include "richtext/rtfunits.h"

#include <QBuffer>
#include <QHash>
#include <QIODevice>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <optional>

namespace alambix {

namespace {
using rtf::twipsFromPixels;

// A list whose items start with a bullet rather than a number.
bool isBulleted(const QTextList& list) {
    const QTextListFormat::Style style = list.format().style();
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle ||
           style == QTextListFormat::ListSquare;
}

const QString symbolFont = QStringLiteral("Symbol");

class Writer {
public:
    Writer(const QTextDocument& document, QIODevice& device) : m_doc(document), m_device(device) {}
    bool run();

private:
    void collect(const QTextFrame* frame);
    void collectBlock(const QTextBlock& block);
    void frame(const QTextFrame* frame, bool inTable);
    void table(const QTextTable* table, bool inTable);
    void block(const QTextBlock& block, bool inTable, const char* end);
    void fragment(const QTextFragment& fragment);
    void picture(const QTextImageFormat& format);
    void text(const QString& text);
    QString family(const QTextCharFormat& format) const;
    void put(const char* s) { m_out.append(s); }
    void put(const QByteArray& s) { m_out.append(s); }
    void put(int n) { m_out.append(QByteArray::number(n)); }
    bool flush(bool force);

    const QTextDocument& m_doc;
    QIODevice& m_device;
    QByteArray m_out;
    bool m_failed = false;
    QStringList m_fonts;
    QHash<QString, int> m_fontIndex;
    bool m_bulletFont = false; // "Symbol" is in the font table for the bullets alone
    QList<QColor> m_colours;
    QHash<QRgb, int> m_colourIndex;
};

QString Writer::family(const QTextCharFormat& format) const {
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty()) return families.first();
    return m_doc.defaultFont().family();
}

void Writer::collectBlock(const QTextBlock& block) {
    // Bullets are the Symbol font's.
    if (block.textList() && isBulleted(*block.textList()) && !m_fontIndex.contains(symbolFont)) {
        m_fontIndex.insert(symbolFont, int(m_fonts.size()));
        m_fonts.append(symbolFont);
        m_bulletFont = true;
    }
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        const QString name = family(format);
        if (!m_fontIndex.contains(name)) {
            m_fontIndex.insert(name, int(m_fonts.size()));
            m_fonts.append(name);
        }
        for (const QBrush& brush : {format.foreground(), format.background()}) {
            if (brush.style() == Qt::NoBrush) continue;
            const QRgb rgb = brush.color().rgb();
            if (!m_colourIndex.contains(rgb)) {
                m_colours.append(brush.color());
                m_colourIndex.insert(rgb, int(m_colours.size())); // entry 0 is "auto"
            }
        }
    }
}

void Writer::collect(const QTextFrame* frame) {
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* child = it.currentFrame())
            collect(child);
        else
            collectBlock(it.currentBlock());
    }
}

bool Writer::flush(bool force) {
    if (m_failed) return false;
    if (!force && m_out.size() < 65536) return true;
    if (m_device.write(m_out) != m_out.size()) m_failed = true;
    m_out.clear();
    return !m_failed;
}

void Writer::text(const QString& s) {
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t c = s[i].unicode();
        if (c == u'\\' || c == u'{' || c == u'}') {
            m_out.append('\\');
            m_out.append(char(c));
        } else if (c == u'\t') {
            put("\\tab ");
        } else if (c == QChar::LineSeparator || c == u'\n' || c == u'\r') {
            put("\\line ");
        } else if (c == 0x00A0) {
            put("\\~");
        } else if (c == 0x00AD) {
            put("\\-");
        } else if (c == 0x2011) {
            put("\\_");
        } else if (c >= 0x20 && c < 0x80) {
            m_out.append(char(c));
        } else if (c < 0x20 || c == QChar::ObjectReplacementCharacter) {
            continue;
        } else if (const std::optional<char> byte = windows1252Byte(c)) {
            static const char hex[] = "0123456789abcdef";
            const auto b = static_cast<unsigned char>(*byte);
            m_out.append("\\'");
            m_out.append(hex[b >> 4]);
            m_out.append(hex[b & 15]);
        } else {
            put("\\u");
            put(int(qint16(c)));
            m_out.append('?');
        }
    }
}

void Writer::picture(const QTextImageFormat& format) {
    const QUrl name(format.name());
    const QVariant resource = m_doc.resource(QTextDocument::ImageResource, name);
    QImage image;
    if (resource.canConvert<QImage>())
        image = resource.value<QImage>();
    else if (resource.typeId() == QMetaType::QByteArray)
        image = QImage::fromData(resource.toByteArray());
    if (image.isNull() || image.width() <= 0 || image.height() <= 0) return;
    // The bytes the picture came in go back as they were; only a picture without them is
    // encoded, as PNG.
    QByteArray bytes = pictureBytes(m_doc, name);
    if (bytes.isEmpty() && resource.typeId() == QMetaType::QByteArray)
        bytes = resource.toByteArray();
    PictureFormat kind = pictureFormatOf(bytes);
    if (kind == PictureFormat::Other) {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG")) return;
        kind = PictureFormat::Png;
    }
    // A size given on one side only keeps the picture's proportions on the other.
    const bool hasWidth = format.width() > 0, hasHeight = format.height() > 0;
    const double width = hasWidth    ? format.width()
                         : hasHeight ? format.height() * image.width() / image.height()
                                     : image.width();
    const double height = hasHeight  ? format.height()
                          : hasWidth ? format.width() * image.height() / image.width()
                                     : image.height();
    put(kind == PictureFormat::Jpeg ? "{\\pict\\jpegblip\\picw" : "{\\pict\\pngblip\\picw");
    put(image.width());
    put("\\pich");
    put(image.height());
    put("\\picwgoal");
    put(twipsFromPixels(width));
    put("\\pichgoal");
    put(twipsFromPixels(height));
    put("\n");
    const QByteArray hex = bytes.toHex();
    for (qsizetype at = 0; at < hex.size(); at += 128) {
        m_out.append(hex.constData() + at, std::min<qsizetype>(128, hex.size() - at));
        m_out.append('\n');
        flush(false);
    }
    put("}");
}

void Writer::fragment(const QTextFragment& fragment) {
    const QTextCharFormat format = fragment.charFormat();
    if (format.isImageFormat()) {
        // One picture for each replacement character of the fragment.
        for (qsizetype i = 0; i < fragment.length(); ++i)
            picture(format.toImageFormat());
        return;
    }
    const bool link = format.isAnchor() && !format.anchorHref().isEmpty();
    if (link) {
        put("{\\field{\\*\\fldinst HYPERLINK \"");
        text(format.anchorHref());
        put("\"}{\\fldrslt");
    }
    put("{\\f");
    put(m_fontIndex.value(family(format)));
    put("\\fs");
    const double points = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                          : m_doc.defaultFont().pointSizeF() > 0 ? m_doc.defaultFont().pointSizeF()
                                                                 : 12.0;
    put(std::max(1, int(std::lround(points * 2))));
    if (format.fontWeight() >= QFont::DemiBold) put("\\b");
    if (format.fontItalic()) put("\\i");
    if (format.fontUnderline()) put("\\ul");
    if (format.fontStrikeOut()) put("\\strike");
    if (format.fontCapitalization() == QFont::AllUppercase) put("\\caps");
    if (format.fontCapitalization() == QFont::SmallCaps) put("\\scaps");
    if (format.verticalAlignment() == QTextCharFormat::AlignSubScript) put("\\sub");
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript) put("\\super");
    if (format.foreground().style() != Qt::NoBrush) {
        put("\\cf");
        put(m_colourIndex.value(format.foreground().color().rgb()));
    }
    if (format.background().style() != Qt::NoBrush) {
        put("\\highlight");
        put(m_colourIndex.value(format.background().color().rgb()));
    }
    put(" ");
    text(fragment.text());
    put("}");
    if (link) put("}}");
    flush(false);
}

void Writer::block(const QTextBlock& block, bool inTable, const char* end) {
    const QTextBlockFormat format = block.blockFormat();
    put("\\pard");
    if (inTable) put("\\intbl");
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
        put("\\qc");
    else if (align & Qt::AlignRight)
        put("\\qr");
    else if (align & Qt::AlignJustify)
        put("\\qj");
    else
        put("\\ql");
    const auto length = [&](const char* word, double pixels) {
        if (pixels == 0) return;
        put(word);
        put(twipsFromPixels(pixels));
    };
    // A list item: its bullet or number in the older RTF numbering, which every reader knows,
    // hanging a quarter of an inch left of the text, the text a quarter of an inch further in
    // at each level.
    const QTextList* list = inTable ? nullptr : block.textList();
    if (list) {
        if (isBulleted(*list)) {
            put("{\\*\\pn\\pnlvlblt\\pnf");
            put(m_fontIndex.value(symbolFont));
            put("\\pnindent360{\\pntxtb\\'b7}}");
        } else {
            put("{\\*\\pn\\pnlvlbody\\pndec\\pnstart1\\pnindent360{\\pntxta .}}");
        }
        put("\\fi-360\\li");
        put(360 + 360 * std::max(1, list->format().indent()));
    } else {
        length("\\li", format.leftMargin());
        length("\\fi", format.textIndent());
    }
    length("\\ri", format.rightMargin());
    length("\\sb", format.topMargin());
    length("\\sa", format.bottomMargin());
    switch (format.lineHeightType()) {
    case QTextBlockFormat::ProportionalHeight:
        put("\\sl");
        put(int(std::lround(format.lineHeight() * 240.0 / 100.0)));
        put("\\slmult1");
        break;
    case QTextBlockFormat::FixedHeight:
        put("\\sl-");
        put(twipsFromPixels(format.lineHeight()));
        put("\\slmult0");
        break;
    case QTextBlockFormat::MinimumHeight:
        put("\\sl");
        put(twipsFromPixels(format.lineHeight()));
        put("\\slmult0");
        break;
    default:
        break;
    }
    for (const QTextOption::Tab& tab : format.tabPositions()) {
        if (tab.type == QTextOption::CenterTab)
            put("\\tqc");
        else if (tab.type == QTextOption::RightTab)
            put("\\tqr");
        else if (tab.type == QTextOption::DelimiterTab)
            put("\\tqdec");
        put("\\tx");
        put(twipsFromPixels(tab.position));
    }
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) put("\\pagebb");
    put(" ");
    for (auto it = block.begin(); !it.atEnd(); ++it)
        fragment(it.fragment());
    put(end);
    put("\n");
}

// A table nested in a table cell is written flat, its cells as paragraphs of the cell.
void Writer::table(const QTextTable* t, bool inTable) {
    if (inTable) {
        for (int r = 0; r < t->rows(); ++r)
            for (int c = 0; c < t->columns(); ++c) {
                const QTextTableCell cell = t->cellAt(r, c);
                if (cell.row() != r || cell.column() != c) continue;
                for (auto it = cell.begin(); !it.atEnd(); ++it) {
                    if (const QTextFrame* child = it.currentFrame())
                        frame(child, true);
                    else
                        block(it.currentBlock(), true, "\\par");
                }
            }
        return;
    }
    const QTextTableFormat format = t->format();
    const QList<QTextLength> widths = format.columnWidthConstraints();
    for (int r = 0; r < t->rows(); ++r) {
        put("\\trowd\\trgaph108\\trleft0");
        int edge = 0;
        for (int c = 0; c < t->columns(); ++c) {
            int width = 9000 / std::max(1, t->columns());
            if (c < widths.size() && widths[c].type() == QTextLength::FixedLength)
                width = std::max(15, twipsFromPixels(widths[c].rawValue()));
            edge += width;
            put("\\clbrdrt\\brdrs\\brdrw10\\clbrdrl\\brdrs\\brdrw10\\clbrdrb\\brdrs\\brdrw10"
                "\\clbrdrr\\brdrs\\brdrw10\\cellx");
            put(edge);
        }
        put("\n");
        for (int c = 0; c < t->columns(); ++c) {
            const QTextTableCell cell = t->cellAt(r, c);
            if (cell.row() != r || cell.column() != c) { // covered by a spanning cell
                put("\\pard\\intbl\\cell\n");
                continue;
            }
            // Every paragraph of the cell ends with \par but the last, which ends the cell.
            QList<QTextBlock> blocks;
            for (auto it = cell.begin(); !it.atEnd(); ++it) {
                if (const QTextFrame* child = it.currentFrame()) {
                    for (const QTextBlock& b : std::as_const(blocks))
                        block(b, true, "\\par");
                    blocks.clear();
                    frame(child, true);
                } else {
                    blocks.append(it.currentBlock());
                }
            }
            for (qsizetype i = 0; i < blocks.size(); ++i)
                block(blocks[i], true, i + 1 == blocks.size() ? "\\cell" : "\\par");
            if (blocks.isEmpty()) put("\\pard\\intbl\\cell\n");
        }
        put("\\row\n");
        flush(false);
    }
}

void Writer::frame(const QTextFrame* f, bool inTable) {
    for (auto it = f->begin(); !it.atEnd(); ++it) {
        if (const QTextFrame* child = it.currentFrame()) {
            if (const auto* t = qobject_cast<const QTextTable*>(child))
                table(t, inTable);
            else
                frame(child, inTable);
        } else {
            block(it.currentBlock(), inTable, "\\par");
        }
    }
}

bool Writer::run() {
    collect(m_doc.rootFrame());
    if (m_fonts.isEmpty()) m_fonts.append(m_doc.defaultFont().family());
    put("{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1036{\\fonttbl");
    for (qsizetype i = 0; i < m_fonts.size(); ++i) {
        put("{\\f");
        put(int(i));
        put(m_bulletFont && m_fonts[i] == symbolFont ? "\\ftech\\fcharset2 "
                                                     : "\\fnil\\fcharset0 ");
        text(m_fonts[i]);
        put(";}");
    }
    put("}\n{\\colortbl ;");
    for (const QColor& colour : std::as_const(m_colours)) {
        put("\\red");
        put(colour.red());
        put("\\green");
        put(colour.green());
        put("\\blue");
        put(colour.blue());
        put(";");
    }
    put("}\n\\viewkind4\\uc1\n");
    frame(m_doc.rootFrame(), false);
    put("}\n");
    return flush(true);
}
} // namespace

bool writeRtf(const QTextDocument& document, QIODevice& device) {
    return Writer(document, device).run();
}

} // namespace alambix
