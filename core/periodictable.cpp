#include "core/periodictable.h"

#include <array>

namespace alambix {

namespace {

struct ElementRow {
    const char* symbol;
    const char* states; // signed, space-separated
};

// Symbols: the IUPAC Periodic Table of the Elements (IUPAC, 2022 edition).
// Main oxidation states: after the most important states in the table of oxidation states of
// N. N. Greenwood and A. Earnshaw, "Chemistry of the Elements" (2nd ed., Butterworth-Heinemann,
// 1997), and the common oxidation states of the CRC Handbook of Chemistry and Physics
// ("Table of the Elements"). Oxygen keeps -1, for the peroxides school chemistry writes
// (O2 2-), and carbon +2 (carbon monoxide, oxalate).
constexpr std::array<ElementRow, chemicalElementCount> elementTable{{
    {"H", "-1 +1"},
    {"He", ""},
    {"Li", "+1"},
    {"Be", "+2"},
    {"B", "+3"},
    {"C", "-4 +2 +4"},
    {"N", "-3 +3 +5"},
    {"O", "-2 -1"},
    {"F", "-1"},
    {"Ne", ""},
    {"Na", "+1"},
    {"Mg", "+2"},
    {"Al", "+3"},
    {"Si", "-4 +4"},
    {"P", "-3 +3 +5"},
    {"S", "-2 +4 +6"},
    {"Cl", "-1 +1 +3 +5 +7"},
    {"Ar", ""},
    {"K", "+1"},
    {"Ca", "+2"},
    {"Sc", "+3"},
    {"Ti", "+2 +3 +4"},
    {"V", "+2 +3 +4 +5"},
    {"Cr", "+2 +3 +6"},
    {"Mn", "+2 +3 +4 +6 +7"},
    {"Fe", "+2 +3"},
    {"Co", "+2 +3"},
    {"Ni", "+2"},
    {"Cu", "+1 +2"},
    {"Zn", "+2"},
    {"Ga", "+3"},
    {"Ge", "-4 +2 +4"},
    {"As", "-3 +3 +5"},
    {"Se", "-2 +4 +6"},
    {"Br", "-1 +1 +3 +5"},
    {"Kr", "+2"},
    {"Rb", "+1"},
    {"Sr", "+2"},
    {"Y", "+3"},
    {"Zr", "+4"},
    {"Nb", "+3 +5"},
    {"Mo", "+4 +6"},
    {"Tc", "+4 +7"},
    {"Ru", "+2 +3 +4"},
    {"Rh", "+3"},
    {"Pd", "+2 +4"},
    {"Ag", "+1"},
    {"Cd", "+2"},
    {"In", "+3"},
    {"Sn", "+2 +4"},
    {"Sb", "-3 +3 +5"},
    {"Te", "-2 +4 +6"},
    {"I", "-1 +1 +5 +7"},
    {"Xe", "+2 +4 +6"},
    {"Cs", "+1"},
    {"Ba", "+2"},
    {"La", "+3"},
    {"Ce", "+3 +4"},
    {"Pr", "+3"},
    {"Nd", "+3"},
    {"Pm", "+3"},
    {"Sm", "+2 +3"},
    {"Eu", "+2 +3"},
    {"Gd", "+3"},
    {"Tb", "+3 +4"},
    {"Dy", "+3"},
    {"Ho", "+3"},
    {"Er", "+3"},
    {"Tm", "+3"},
    {"Yb", "+2 +3"},
    {"Lu", "+3"},
    {"Hf", "+4"},
    {"Ta", "+5"},
    {"W", "+4 +6"},
    {"Re", "+4 +7"},
    {"Os", "+4 +8"},
    {"Ir", "+3 +4"},
    {"Pt", "+2 +4"},
    {"Au", "+1 +3"},
    {"Hg", "+1 +2"},
    {"Tl", "+1 +3"},
    {"Pb", "+2 +4"},
    {"Bi", "+3"},
    {"Po", "+2 +4"},
    {"At", "-1 +1"},
    {"Rn", "+2"},
    {"Fr", "+1"},
    {"Ra", "+2"},
    {"Ac", "+3"},
    {"Th", "+4"},
    {"Pa", "+5"},
    {"U", "+3 +4 +5 +6"},
    {"Np", "+3 +4 +5 +6"},
    {"Pu", "+3 +4 +5 +6"},
    {"Am", "+3"},
    {"Cm", "+3"},
    {"Bk", "+3"},
    {"Cf", "+3"},
    {"Es", "+3"},
    {"Fm", "+3"},
    {"Md", "+3"},
    {"No", "+2"},
    {"Lr", "+3"},
    {"Rf", "+4"},
    {"Db", "+5"},
    {"Sg", "+6"},
    {"Bh", "+7"},
    {"Hs", "+8"},
    {"Mt", ""},
    {"Ds", ""},
    {"Rg", ""},
    {"Cn", ""},
    {"Nh", ""},
    {"Fl", ""},
    {"Mc", ""},
    {"Lv", ""},
    {"Ts", ""},
    {"Og", ""},
}};

const std::array<QList<int>, chemicalElementCount>& statesTable() {
    static const std::array<QList<int>, chemicalElementCount> table = [] {
        std::array<QList<int>, chemicalElementCount> states;
        for (int i = 0; i < chemicalElementCount; ++i)
            for (const QByteArray& word : QByteArray(elementTable[i].states).split(' '))
                if (!word.isEmpty()) states[i].append(word.toInt());
        return states;
    }();
    return table;
}

} // namespace

QLatin1StringView elementSymbol(int index) {
    return QLatin1StringView(elementTable[index].symbol);
}

const QList<int>& mainOxidationStates(int index) {
    return statesTable()[index];
}

int elementAt(QStringView text, qsizetype* length) {
    // Every symbol is a capital and at most one small letter: 26 x 27 slots, found in one look.
    static const std::array<qint8, 26 * 27> bySlot = [] {
        std::array<qint8, 26 * 27> table;
        table.fill(-1);
        for (int i = 0; i < chemicalElementCount; ++i) {
            const char* symbol = elementTable[i].symbol;
            table[(symbol[0] - 'A') * 27 + (symbol[1] ? symbol[1] - 'a' + 1 : 0)] = qint8(i);
        }
        return table;
    }();
    const auto isSmall = [&text](qsizetype at) {
        return at < text.size() && text[at] >= u'a' && text[at] <= u'z';
    };
    *length = 0;
    if (text.isEmpty() || text[0] < u'A' || text[0] > u'Z') return -1;
    // The small letters after a capital all belong to its symbol: none can start another.
    const qsizetype end = isSmall(1) ? 2 : 1;
    if (isSmall(end)) return -1;
    const int slot =
        (text[0].unicode() - u'A') * 27 + (end == 2 ? text[1].unicode() - u'a' + 1 : 0);
    const int element = bySlot[slot];
    if (element >= 0) *length = end;
    return element;
}

} // namespace alambix
