#pragma once
// The Symbol and Wingdings fonts hold their glyphs at byte positions; these map them to Unicode.

#include <QChar>

namespace alambix::rtf {

enum class SymbolFont { None, Symbol, Wingdings };

// The Unicode character shown for `byte` (0x20-0xFF) of `font`; 0 when the byte has none.
char16_t symbolToUnicode(SymbolFont font, unsigned char byte);

} // namespace alambix::rtf
