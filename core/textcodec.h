#pragma once
// Windows-1252 at the file boundary, through Qt's converters. The record files use it, and so
// does every other file format that stores the code page.

#include <QByteArray>
#include <QString>

#include <optional>

namespace alambix {

// Fails (nullopt) on a character the code page cannot hold, rather than writing a "?".
std::optional<QByteArray> toWindows1252(const QString& text);
// Every byte decodes; the five bytes the code page leaves undefined give the C1 control of the
// same value, so every byte reads back to itself.
QString fromWindows1252(const QByteArray& bytes);
// The byte that stands for `c`; nothing when the code page has none (the text is then written
// some other way, as a Unicode escape for instance).
std::optional<char> windows1252Byte(char16_t c);
// The characters of `text` the code page cannot hold, each once, in the order they come.
QString unencodableInWindows1252(const QString& text);

} // namespace alambix
