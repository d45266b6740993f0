#pragma once
// Writes the text panel's document to a file, in the format its name asks for.

#include <QString>

#include <optional>

class QIODevice;
class QTextDocument;

namespace alambix {

enum class DocumentFormat { Rtf, Html, Odt, Text, Pdf };

// The format for a file name's extension (any case), none for another extension.
std::optional<DocumentFormat> documentFormatForPath(const QString& path);

// Writes `document` to `path` in `format`; PDF pages are A4. False when the file could not be
// written (the file already at `path` is then left as it was).
bool exportDocument(const QTextDocument& document, const QString& path, DocumentFormat format);

} // namespace alambix
