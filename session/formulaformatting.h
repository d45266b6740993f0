#pragma once
// Chemical formulae formatted in a document: the subscripts, superscripts and arrows that
// core/chemicalformula.h finds, applied to the text, each command one step of the undo history.

class QTextCursor;
class QTextDocument;

namespace alambix {

// "Formule chimique": the formulae of the cursor's selection or, with none, the formula just
// before the cursor. Other formats (bold, colour, size) stay. False when nothing changed, and
// then the document and its undo history are as they were.
bool formatFormulaeAt(const QTextCursor& cursor);

// After a character that ends a word was typed at `position - 1`: the formula it ends, if any,
// as one undo step of its own.
bool formatTypedFormula(QTextDocument& document, int position);

} // namespace alambix
