#include "session/typingformat.h"

#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace alambix {

namespace {

QString familyOf(const QTextCharFormat& format, const QTextDocument& document) {
    const QStringList families = format.fontFamilies().toStringList();
    return families.isEmpty() || families.first().isEmpty() ? document.defaultFont().family()
                                                            : families.first();
}

double sizeOf(const QTextCharFormat& format, const QTextDocument& document) {
    if (format.hasProperty(QTextFormat::FontPointSize)) return format.fontPointSize();
    const double size = document.defaultFont().pointSizeF();
    return size > 0 ? size : 12.0;
}

// A title's letters are larger than the body's.
bool isTitle(const QTextCharFormat& format, const QTextDocument& document, double bodySize) {
    return sizeOf(format, document) > bodySize * 1.15;
}

QTextCharFormat formatAt(const QTextDocument& document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(&document));
    cursor.setPosition(position);
    return cursor.charFormat();
}

} // namespace

QTextCharFormat bodyFormat(const QTextDocument& document) {
    QHash<QPair<QString, double>, qint64> characters;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat()) continue;
            characters[{familyOf(format, document), sizeOf(format, document)}] += fragment.length();
        }
    QPair<QString, double> body{document.defaultFont().family(),
                                sizeOf(QTextCharFormat(), document)};
    qint64 most = 0;
    for (auto it = characters.cbegin(); it != characters.cend(); ++it)
        if (it.value() > most || (it.value() == most && it.key() < body)) {
            most = it.value();
            body = it.key();
        }
    QTextCharFormat format;
    format.setFontFamilies(QStringList{body.first});
    format.setFontPointSize(body.second);
    return format;
}

std::optional<QTextCharFormat> typingFormatAt(const QTextCursor& cursor,
                                              const QTextCharFormat& body) {
    if (cursor.hasSelection()) return std::nullopt;
    const QTextDocument& document = *cursor.document();
    const QTextBlock block = cursor.block();
    const int inBlock = cursor.position() - block.position();
    const QString text = block.text();
    const double bodySize = body.fontPointSize();
    const QTextCharFormat current = cursor.charFormat();

    const bool afterPicture = inBlock > 0 && text[inBlock - 1] == QChar::ObjectReplacementCharacter;
    const bool insideTitle = inBlock > 0 && inBlock < text.size() &&
                             isTitle(formatAt(document, cursor.position()), document, bodySize) &&
                             isTitle(formatAt(document, cursor.position() + 1), document, bodySize);
    if (afterPicture || current.isImageFormat() ||
        (isTitle(current, document, bodySize) && !insideTitle))
        return body;

    // An empty paragraph has no text around the cursor: the body's font and size, plain (the
    // paragraph mark may keep an instruction's italics or a title's look).
    if (text.isEmpty()) {
        const bool plain =
            current.fontWeight() < QFont::DemiBold && !current.fontItalic() &&
            !current.fontUnderline() && !current.hasProperty(QTextFormat::ForegroundBrush) &&
            current.verticalAlignment() == QTextCharFormat::AlignNormal &&
            current.fontFamilies() == body.fontFamilies() &&
            current.hasProperty(QTextFormat::FontPointSize) && current.fontPointSize() == bodySize;
        if (plain) return std::nullopt;
        return body;
    }
    const bool hasFamily = !current.fontFamilies().toStringList().isEmpty();
    const bool hasSize = current.hasProperty(QTextFormat::FontPointSize);
    if (hasFamily && hasSize) return std::nullopt;
    QTextCharFormat completed = current;
    if (!hasFamily) completed.setFontFamilies(body.fontFamilies().toStringList());
    if (!hasSize) completed.setFontPointSize(bodySize);
    return completed;
}

} // namespace alambix
