#pragma once
// What the pupil types looks like the text it joins: the body's font and size where the text
// around the cursor is a title, a picture, an empty paragraph or has no font of its own.

#include <QTextCharFormat>

#include <optional>

class QTextCursor;
class QTextDocument;

namespace alambix {

// The font family and size most of the document's characters are written in (pictures aside);
// the document's default font where it has no text.
QTextCharFormat bodyFormat(const QTextDocument& document);

// The format typing at `cursor` should take when Qt's own choice, the format of the character
// before it, is a title's, a picture's or lacks a font or a size, and in an empty paragraph (the
// body's, plain); nothing when that choice is right. Inside a title (title text on both sides)
// typing continues the title.
std::optional<QTextCharFormat> typingFormatAt(const QTextCursor& cursor,
                                              const QTextCharFormat& body);

} // namespace alambix
