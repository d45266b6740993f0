#include "session/formulaformatting.h"

#include "core/chemicalformula.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace alambix {

namespace {

QTextCharFormat::VerticalAlignment alignmentOf(Script script) {
    switch (script) {
    case Script::Subscript:
        return QTextCharFormat::AlignSubScript;
    case Script::Superscript:
        return QTextCharFormat::AlignSuperScript;
    case Script::Normal:
        break;
    }
    return QTextCharFormat::AlignNormal;
}

// Whether the characters [start, end) of one paragraph are all written as `alignment` already.
bool alreadyWritten(const QTextDocument& document, int start, int end,
                    QTextCharFormat::VerticalAlignment alignment) {
    const QTextBlock block = document.findBlock(start);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const int from = fragment.position();
        const int to = from + fragment.length();
        if (to <= start || from >= end) continue;
        if (fragment.charFormat().verticalAlignment() != alignment) return false;
    }
    return true;
}

// Applies `pieces`, found in text that starts at `offset` in `document`, from the last to the
// first so that a replaced arrow does not move the pieces before it. One undo step, none when
// nothing changes; undoing it puts the text cursor back at `cursorPosition`.
bool apply(QTextDocument& document, int offset, const QList<FormulaPiece>& pieces,
           int cursorPosition) {
    QTextCursor cursor(&document);
    cursor.setPosition(cursorPosition);
    bool editing = false;
    for (qsizetype i = pieces.size() - 1; i >= 0; --i) {
        const FormulaPiece& piece = pieces[i];
        const int start = offset + int(piece.start);
        const int end = start + int(piece.length);
        const QTextCharFormat::VerticalAlignment alignment = alignmentOf(piece.script);
        if (!piece.replaces && alreadyWritten(document, start, end, alignment)) continue;
        if (!editing) {
            cursor.beginEditBlock();
            editing = true;
        }
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        if (piece.replaces) {
            // The sign keeps the look of what it replaces.
            QTextCursor first(&document);
            first.setPosition(start + 1);
            QTextCharFormat format = first.charFormat();
            format.setVerticalAlignment(alignment);
            cursor.insertText(piece.replacement, format);
        } else {
            QTextCharFormat format;
            format.setVerticalAlignment(alignment);
            cursor.mergeCharFormat(format);
        }
    }
    if (editing) cursor.endEditBlock();
    return editing;
}

} // namespace

bool formatFormulaeAt(const QTextCursor& at) {
    QTextDocument& document = *at.document();
    if (at.hasSelection()) {
        const int start = at.selectionStart();
        const int end = at.selectionEnd();
        // The raw text has one character for each position, paragraph ends and pictures too.
        const QString text = document.toRawText().mid(start, end - start);
        return apply(document, start, formatFormulae(text), at.position());
    }
    const QTextBlock block = at.block();
    return apply(document, block.position(),
                 formatWordBefore(block.text(), at.position() - block.position()), at.position());
}

bool formatTypedFormula(QTextDocument& document, int position) {
    const QTextBlock block = document.findBlock(position - 1);
    if (!block.isValid()) return false;
    const QString text = block.text();
    const int typed = position - 1 - block.position();
    // A paragraph break leaves the word at the end of the paragraph before.
    const int end = typed < text.size() ? typed : int(text.size());
    if (typed < text.size() && !endsTypedWord(text[typed])) return false;
    // Only a word that ends here: another space after a formula the pupil left as it was does
    // not format it again.
    if (end == 0 ||
        (!text[end - 1].isLetterOrNumber() && !QStringView(u"+-−)]>").contains(text[end - 1])))
        return false;
    return apply(document, block.position(), formatWordBefore(text, end), position);
}

} // namespace alambix
