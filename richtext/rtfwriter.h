#pragma once
// Writes a QTextDocument as a rich-text (RTF) document.

class QIODevice;
class QTextDocument;

namespace alambix {

// Writes `document` to `device` (open for writing) as RTF: text, fonts, sizes, colours, bold,
// italic, underline, strike-through, sub/superscript, links, alignment, indents and spacing,
// tables, and pictures as PNG. False when the device refused a write.
bool writeRtf(const QTextDocument& document, QIODevice& device);

} // namespace alambix
