#pragma once
#include <QString>

namespace alambix {

// Removes the leading and trailing blanks (spaces only, not tabs or line breaks), as the
// program's texts are trimmed everywhere: typed names, flag texts, calculator results.
QString trimBlanks(const QString& text);

} // namespace alambix
