#pragma once
// The chemical elements as a chemical formula needs them: their symbols and the oxidation states
// their atoms mostly take in compounds and ions.

#include <QLatin1StringView>
#include <QList>
#include <QStringView>

namespace alambix {

constexpr int chemicalElementCount = 118;

// The lowest and highest main oxidation state of any element.
constexpr int lowestOxidationState = -4;
constexpr int highestOxidationState = 8;

// The symbol of element `index` (atomic number - 1): "H", "Fe", "Og".
QLatin1StringView elementSymbol(int index);

// The main oxidation states of element `index`, lowest first; none for the noble gases of the
// first periods and the elements too short-lived to have a chemistry.
const QList<int>& mainOxidationStates(int index);

// The element whose symbol `text` starts with, and the symbol's length; -1 and 0 when none. A
// symbol is a capital and the small letters after it, case counting: "Co" is cobalt, "CO" is
// carbon then oxygen, "Ca" in "Cat" is no symbol.
int elementAt(QStringView text, qsizetype* length);

} // namespace alambix
