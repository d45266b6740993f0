#include "session/introtext.h"

#include "drawing/fonts.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace alambix {

namespace {
const QColor blue(0, 0, 200);
// The text is in the windows' font, the program's Arial. One family and no second one: a family
// list makes the font system work out a whole fallback list for it when the first window is
// built, and fontconfig already stands Arial and Liberation Sans in for each other.
QStringList introFamilies() {
    return {windowFontFamily()};
}
// Left indent of the plain paragraphs: 20 twips.
constexpr double indent = 20.0 / 15.0;

QTextCharFormat defaultCharFormat() {
    QTextCharFormat format;
    format.setFontFamilies(introFamilies());
    format.setFontPointSize(10);
    format.setForeground(QColor(0, 0, 0));
    format.setFontWeight(QFont::Normal);
    format.setFontItalic(false);
    format.setFontUnderline(false);
    format.setVerticalAlignment(QTextCharFormat::AlignNormal);
    return format;
}

// The document holds one paragraph separator where the panel counts "\r\n" as two characters.
QString documentText(const QString& text) {
    QString converted = text;
    converted.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return converted;
}
} // namespace

const QList<IntroSegment>& segmentsintro() {
    static const QList<IntroSegment> segments{
        {QStringLiteral("Alambix\r\n"), 9},
        {QStringLiteral("\r\nCette application permet de schématiser quelques montages en chimie "),
         0},
        {QStringLiteral("pour la synthèse ou la séparation d'espèces chimiques.\r\n\r\nPour "), 0},
        {QStringLiteral("ajouter ou enlever "), 1},
        {QStringLiteral("un élément du montage, utiliser les boutons placés à gauche de "
                        "l'écran.\r\n\r\nVotre "),
         0},
        {QStringLiteral("montage est correct"), 1},
        {QStringLiteral(" si son nom apparaît dans la fenêtre Nom du montage actuel. \r\n\r\n"), 0},
        {QStringLiteral("Tous les paramètres sont modifiables et la figure obtenue peut être "
                        "imprimée ou placée dans le presse-papiers "),
         1},
        {QStringLiteral("pour la coller dans une autre application.\r\n\r\nVous pouvez obtenir "
                        "l'énoncé d'un exercice "),
         0},
        {QStringLiteral("dans cette fenêtre "), 0},
        {QStringLiteral("en cliquant sur l'onglet "), 0},
        {QStringLiteral("Exercices"), 1},
        {QStringLiteral("."), 0},
    };
    return segments;
}

void applyIntroStyle(QTextDocument& document, int start, int length, int code) {
    QTextCursor cursor(&document);
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);

    QTextCharFormat chars;
    QTextBlockFormat block;
    if (code == 1) chars.setForeground(blue);
    block.setLeftMargin(code == 9 ? 0 : indent);
    if (code == 2) block.setAlignment(Qt::AlignHCenter);
    if (code == 3) chars.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (code == 4) chars.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (code == 5) chars.setFontFamilies({QStringLiteral("Symbol"), QStringLiteral("DejaVu Sans")});
    if (code == 6) chars.setFontWeight(QFont::Bold);
    if (code == 7) chars.setFontItalic(true);
    if (code == 8) chars.setFontUnderline(true);
    if (code == 9) {
        chars.setFontFamilies(introFamilies());
        chars.setFontPointSize(18);
        chars.setForeground(blue);
        block.setAlignment(Qt::AlignHCenter);
    }
    cursor.mergeCharFormat(chars);

    // Paragraph formats go to the paragraphs the selection touches; a selection ending just
    // after a line break does not reach into the next paragraph.
    QTextCursor paragraphs(&document);
    paragraphs.setPosition(start);
    const int last = length > 0 ? start + length - 1 : start;
    for (QTextBlock b = document.findBlock(start); b.isValid() && b.position() <= last;
         b = b.next()) {
        paragraphs.setPosition(b.position());
        paragraphs.mergeBlockFormat(block);
    }
}

void writeIntroduction(QTextDocument& document) {
    document.clear();
    QTextCursor cursor(&document);
    // One edit: the panel lays the text out once, not once a style.
    cursor.beginEditBlock();
    QTextBlockFormat plain;
    plain.setAlignment(Qt::AlignLeft);
    cursor.setBlockFormat(plain);
    cursor.setCharFormat(defaultCharFormat());
    QString all;
    for (const IntroSegment& segment : segmentsintro())
        all += documentText(segment.text);
    cursor.insertText(all, defaultCharFormat());

    int start = 0;
    for (const IntroSegment& segment : segmentsintro()) {
        const int length = static_cast<int>(documentText(segment.text).size());
        applyIntroStyle(document, start, length, segment.style);
        start += length;
    }
    cursor.endEditBlock();
}

} // namespace alambix
