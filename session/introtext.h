#pragma once
// The formatted introduction shown in the text panel at start-up and after an exercise.

#include <QString>
#include <QStringList>

class QTextDocument;

namespace alambix {

struct IntroSegment {
    QString text; // line breaks as "\r\n", as the panel counts them
    int style;    // 0 plain, 1 blue, 9 title
};

// `segmentsintro`: the thirteen segments of the introduction, in order.
const QList<IntroSegment>& segmentsintro();

// Applies style `code` to the characters [start, start + length) of `document`.
void applyIntroStyle(QTextDocument& document, int start, int length, int code);

// `ecritintro`'s text work: replaces the document's content by the introduction.
void writeIntroduction(QTextDocument& document);

} // namespace alambix
