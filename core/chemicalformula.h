#pragma once
// Chemical formulae in running text, as a pupil types them ("H2SO4", "Fe3+", "CuSO4,5H2O",
// "2H2 + O2 -> 2H2O"): which characters are subscripts, which superscripts, and which arrows
// are written as their sign. The text itself is never rewritten here; callers apply the pieces
// to a document or print them.

#include <QList>
#include <QString>
#include <QStringView>

namespace alambix {

enum class Script : quint8 { Normal, Subscript, Superscript };

// `length` characters of the text from `start`, written in `script`. A piece that `replaces`
// stands for `replacement` instead of its own characters: "→" for "->", "⇌" for "<=>", nothing
// for the "^" before a charge.
struct FormulaPiece {
    qsizetype start = 0;
    qsizetype length = 0;
    Script script = Script::Normal;
    bool replaces = false;
    QString replacement;
};

// The pieces of every formula and equation arrow in `text`, in order, none overlapping. Text
// outside them is no formula and stays as it is; inside a formula, `Normal` pieces (symbols,
// brackets, coefficients, states) lose any subscript or superscript they had. Time is linear in
// the length of `text`.
QList<FormulaPiece> formatFormulae(QStringView text);

// The pieces of the word that ends at `position` of `text`, or of the last word before it when
// spaces stand between: the formula just typed, or just before the cursor.
QList<FormulaPiece> formatWordBefore(QStringView text, qsizetype position);

// `text` as formatted, each subscript run written "_{...}", each superscript run "^{...}".
QString formulaMarkup(QStringView text);

// Whether `c` ends a word being typed, so that the formula before it may be formatted.
bool endsTypedWord(QChar c);

} // namespace alambix
