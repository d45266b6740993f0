#include "core/chemicalformula.h"

#include "core/periodictable.h"

#include <algorithm>
#include <bitset>

namespace alambix {

namespace {

constexpr char16_t minusSign = u'\u2212';
constexpr char16_t middleDot = u'\u00B7';
// Beyond these an ion is no ion a pupil writes: its charges are not weighed.
constexpr int maxAtomsWeighed = 48;
constexpr int maxChargeDigits = 2;
// Counts saturate here, so that "H99999999999" cannot overflow.
constexpr int countCap = 100000;
constexpr int maxBracketDepth = 8;

bool isDigit(QChar c) {
    return c.unicode() >= u'0' && c.unicode() <= u'9';
}
bool isSign(QChar c) {
    return c == u'+' || c == u'-' || c == minusSign;
}
bool isUpper(QChar c) {
    return c.unicode() >= u'A' && c.unicode() <= u'Z';
}
bool isState(QStringView text) {
    for (QStringView state : {u"(aq)", u"(s)", u"(l)", u"(g)"})
        if (text.startsWith(state)) return true;
    return false;
}
// Spaces, and the marks a document puts between its paragraphs, cells and pictures.
bool isBoundary(QChar c) {
    const char16_t u = c.unicode();
    return c.isSpace() || u == QChar::ObjectReplacementCharacter || (u >= 0xFDD0 && u <= 0xFDEF);
}
bool isLeadingPunctuation(QChar c) {
    return QStringView(u"\"'«“‘„¿¡([").contains(c);
}
bool isTrailingPunctuation(QChar c) {
    return QStringView(u".,;:!?…\"'»”’)]").contains(c);
}

// The totals a group's atoms can reach, each atom taking one of its element's main oxidation
// states: bit `offset + total` is set for each reachable total.
constexpr int sumsOffset = -lowestOxidationState * maxAtomsWeighed;
constexpr int sumsSize = sumsOffset + highestOxidationState * maxAtomsWeighed + 1;
using Sums = std::bitset<sumsSize>;

Sums shifted(const Sums& sums, int by) {
    return by >= 0 ? sums << by : sums >> -by;
}

// Every total of one from `a` and one from `b`.
Sums sumOf(const Sums& a, const Sums& b) {
    Sums result;
    for (int bit = 0; bit < sumsSize; ++bit)
        if (b.test(bit)) result |= shifted(a, bit - sumsOffset);
    return result;
}

Sums zeroSum() {
    Sums sums;
    sums.set(sumsOffset);
    return sums;
}

// The atoms of a formula the parser has checked, weighed for the charges they can carry. More
// atoms than are weighed, or an element without a main state, leave no total.
class Weigher {
public:
    explicit Weigher(QStringView text) : m_text(text) {}

    // A group counted once: one symbol, or a bracket and the totals of its content.
    struct Unit {
        int element = -1; // -1: a bracket
        Sums inner;
        qint64 atoms = 0;
    };

    // The groups of [pos, end) with their counts; `atoms` grows by their number of atoms.
    Sums groups(qsizetype pos, qsizetype end, qint64& atoms) const {
        Sums total = zeroSum();
        while (pos < end) {
            const Unit one = unit(pos);
            const qsizetype digits = pos;
            while (pos < end && isDigit(m_text[pos]))
                ++pos;
            const int n = count(digits, pos);
            atoms += one.atoms * n;
            if (atoms > maxAtomsWeighed) return Sums();
            total = plus(total, one, n);
        }
        return total;
    }

    // The group at `pos`; `pos` moves past it, not past its count.
    Unit unit(qsizetype& pos) const {
        Unit one;
        qsizetype length = 0;
        one.element = elementAt(m_text.sliced(pos), &length);
        if (one.element >= 0) {
            pos += length;
            one.atoms = 1;
            return one;
        }
        qsizetype close = pos + 1;
        for (int depth = 0; depth > 0 || (m_text[close] != u')' && m_text[close] != u']'); ++close)
            depth += m_text[close] == u'(' || m_text[close] == u'['   ? 1
                     : m_text[close] == u')' || m_text[close] == u']' ? -1
                                                                      : 0;
        one.inner = groups(pos + 1, close, one.atoms);
        pos = close + 1;
        return one;
    }

    // `total` and `n` of a group more: the atoms of one symbol each take their own state (a
    // shift of the totals per state); the units inside a bracket are alike and carry the same
    // charge each.
    static Sums plus(Sums total, const Unit& unit, int n) {
        if (unit.element >= 0) {
            const QList<int>& states = mainOxidationStates(unit.element);
            for (int atom = 0; atom < n && atom <= maxAtomsWeighed && total.any(); ++atom) {
                Sums next;
                for (int state : states)
                    next |= shifted(total, state);
                total = next;
            }
            return total;
        }
        Sums scaled;
        for (int bit = 0; bit < sumsSize; ++bit) {
            const qint64 to = qint64(bit - sumsOffset) * n + sumsOffset;
            if (unit.inner.test(bit) && to >= 0 && to < sumsSize) scaled.set(to);
        }
        return sumOf(total, scaled);
    }

    int count(qsizetype start, qsizetype end) const {
        if (start == end) return 1;
        int value = 0;
        for (qsizetype i = start; i < end; ++i)
            value = std::min(value * 10 + (m_text[i].unicode() - u'0'), countCap);
        return value;
    }

private:
    QStringView m_text;
};

struct DigitRun {
    qsizetype start = 0;
    qsizetype length = 0;
};

// One species of an equation: a coefficient, then an electron or a formula whose parts a
// hydrate joins with "," or "·". The whole range must be one, or nothing is marked.
class SpeciesParser {
public:
    SpeciesParser(QStringView text, qsizetype begin, qsizetype end, QList<FormulaPiece>& pieces)
        : m_text(text), m_pos(begin), m_end(end), m_pieces(pieces), m_firstPiece(pieces.size()) {}

    bool parse() {
        if (!coefficient()) return fail();
        if (electron()) return done();
        while (true) {
            if (!part()) return fail();
            if (m_pos == m_end) return done();
            const QChar join = m_text[m_pos];
            if (join != u',' && join != middleDot) return fail();
            mark(m_pos, 1, Script::Normal);
            ++m_pos;
            if (!coefficient()) return fail();
        }
    }

private:
    bool fail() {
        m_pieces.resize(m_firstPiece);
        return false;
    }
    // The digits of a group are marked once the next group shows whether they end the formula:
    // the pieces are put in order, and neighbours written alike joined.
    bool done() {
        const auto first = m_pieces.begin() + m_firstPiece;
        std::sort(first, m_pieces.end(),
                  [](const FormulaPiece& a, const FormulaPiece& b) { return a.start < b.start; });
        qsizetype kept = m_firstPiece;
        for (qsizetype i = m_firstPiece; i < m_pieces.size(); ++i) {
            FormulaPiece& piece = m_pieces[i];
            if (kept > m_firstPiece) {
                FormulaPiece& last = m_pieces[kept - 1];
                if (!last.replaces && !piece.replaces && last.script == piece.script &&
                    last.start + last.length == piece.start) {
                    last.length += piece.length;
                    continue;
                }
            }
            if (kept != i) m_pieces[kept] = std::move(piece);
            ++kept;
        }
        m_pieces.resize(kept);
        return true;
    }
    bool at(char16_t c) const { return m_pos < m_end && m_text[m_pos] == c; }
    bool signAt(qsizetype pos) const { return pos < m_end && isSign(m_text[pos]); }

    void mark(qsizetype start, qsizetype length, Script script) {
        if (length > 0) m_pieces.append({start, length, script, false, {}});
    }
    void removeCaret(qsizetype at) { m_pieces.append({at, 1, Script::Normal, true, QString()}); }

    DigitRun digits() {
        DigitRun run{m_pos, 0};
        while (m_pos < m_end && isDigit(m_text[m_pos])) {
            ++m_pos;
            ++run.length;
        }
        return run;
    }
    int count(DigitRun run) const {
        if (run.length == 0) return 1;
        qint64 value = 0;
        for (qsizetype i = 0; i < run.length; ++i)
            value =
                std::min<qint64>(value * 10 + (m_text[run.start + i].unicode() - u'0'), countCap);
        return int(value);
    }
    // Chemistry writes no count of one and no leading zero.
    bool goodSubscript(DigitRun run) const {
        if (run.length == 0) return true;
        if (m_text[run.start] == u'0') return false;
        return !(run.length == 1 && m_text[run.start] == u'1');
    }

    bool coefficient() {
        const DigitRun run = digits();
        if (run.length > 0 && m_text[run.start] == u'0') return false;
        mark(run.start, run.length, Script::Normal);
        return true;
    }

    // "e-", "e−", "e^-": the electron, its sign raised.
    bool electron() {
        if (!at(u'e')) return false;
        qsizetype sign = m_pos + 1;
        const bool caret = sign < m_end && m_text[sign] == u'^';
        if (caret) ++sign;
        if (!signAt(sign) || sign + 1 != m_end) return false;
        mark(m_pos, 1, Script::Normal);
        if (caret) removeCaret(m_pos + 1);
        mark(sign, 1, Script::Superscript);
        m_pos = m_end;
        return true;
    }

    // A symbol or a bracketed list of groups, and the digits after it (left unmarked: the last
    // ones of a formula may be its charge's). On failure nothing moves.
    bool group(int depth, DigitRun& run) {
        const qsizetype start = m_pos;
        const qsizetype firstPiece = m_pieces.size();
        qsizetype length = 0;
        if (elementAt(m_text.sliced(m_pos, m_end - m_pos), &length) >= 0) {
            mark(m_pos, length, Script::Normal);
            m_pos += length;
        } else if ((at(u'(') || at(u'[')) && depth < maxBracketDepth) {
            const char16_t closer = at(u'(') ? u')' : u']';
            mark(m_pos, 1, Script::Normal);
            ++m_pos;
            int groups = 0;
            DigitRun inner;
            while (group(depth + 1, inner) && goodSubscript(inner)) {
                mark(inner.start, inner.length, Script::Subscript);
                ++groups;
            }
            if (groups == 0 || !at(closer)) {
                m_pos = start;
                m_pieces.resize(firstPiece);
                return false;
            }
            mark(m_pos, 1, Script::Normal);
            ++m_pos;
        } else {
            return false;
        }
        run = digits();
        return true;
    }

    // "(aq)", "(s)", "(l)", "(g)".
    bool state() {
        for (QStringView name : {u"(aq)", u"(s)", u"(l)", u"(g)"}) {
            if (m_text.sliced(m_pos, m_end - m_pos).startsWith(name)) {
                mark(m_pos, name.size(), Script::Normal);
                m_pos += name.size();
                return true;
            }
        }
        return false;
    }

    // Where a charge may end: the end of the species, a state, or a hydrate's join.
    bool endsCharge(qsizetype pos) const {
        if (pos == m_end) return true;
        const QChar c = m_text[pos];
        return c == u'(' || c == u',' || c == middleDot;
    }

    bool part() {
        const qsizetype partStart = m_pos;
        qsizetype lastStart = m_pos;
        DigitRun lastRun;
        bool any = false;
        for (DigitRun run; group(0, run); any = true) {
            if (any) {
                if (!goodSubscript(lastRun)) return false;
                mark(lastRun.start, lastRun.length, Script::Subscript);
                lastStart = lastRun.start + lastRun.length;
            }
            lastRun = run;
        }
        if (!any) return false;

        if (at(u'^')) {
            // "Fe^3+": everything after the caret is the charge.
            if (!goodSubscript(lastRun)) return false;
            mark(lastRun.start, lastRun.length, Script::Subscript);
            const qsizetype caret = m_pos++;
            const DigitRun chargeDigits = digits();
            if (!signAt(m_pos) || !endsCharge(m_pos + 1)) return false;
            if (chargeDigits.length > 0 && m_text[chargeDigits.start] == u'0') return false;
            removeCaret(caret);
            mark(chargeDigits.start, chargeDigits.length + 1, Script::Superscript);
            ++m_pos;
        } else if (signAt(m_pos) && endsCharge(m_pos + 1)) {
            const qsizetype split = chargeSplit(partStart, lastStart, lastRun);
            if (split < 0) return false;
            mark(lastRun.start, split, Script::Subscript);
            mark(lastRun.start + split, lastRun.length - split + 1, Script::Superscript);
            ++m_pos;
        } else {
            if (!goodSubscript(lastRun)) return false;
            mark(lastRun.start, lastRun.length, Script::Subscript);
        }
        state();
        return true;
    }

    // How many of the digits before the final sign are the last subscript; the others are the
    // charge. The split whose charge the atoms' main oxidation states can make wins, the smallest
    // charge first; when none can, all are subscripts. -1 when no split writes good chemistry.
    qsizetype chargeSplit(qsizetype partStart, qsizetype lastStart, DigitRun run) const {
        // No digit before the sign: the charge is the sign alone.
        if (run.length == 0) return 0;
        const int sign = m_text[run.start + run.length] == u'+' ? 1 : -1;
        const Weigher weigher(m_text);
        qint64 restAtoms = 0;
        const Sums rest = weigher.groups(partStart, lastStart, restAtoms);
        qsizetype pos = lastStart;
        const Weigher::Unit unit = weigher.unit(pos);
        qsizetype best = -1;
        int bestCharge = 0;
        for (qsizetype split = run.length; split >= 0 && run.length - split <= maxChargeDigits;
             --split) {
            const DigitRun subscript{run.start, split};
            const DigitRun charge{run.start + split, run.length - split};
            if (!goodSubscript(subscript)) continue;
            if (charge.length > 0 && m_text[charge.start] == u'0') continue;
            const int n = count(subscript);
            const int size = count(charge);
            if ((best >= 0 && size >= bestCharge) || restAtoms + unit.atoms * n > maxAtomsWeighed)
                continue;
            const Sums total = Weigher::plus(rest, unit, n);
            if (total.test(sumsOffset + sign * size)) {
                best = split;
                bestCharge = size;
            }
        }
        if (best >= 0) return best;
        return goodSubscript(run) ? run.length : -1;
    }

    QStringView m_text;
    qsizetype m_pos;
    qsizetype m_end;
    QList<FormulaPiece>& m_pieces;
    qsizetype m_firstPiece;
};

// What a piece of a word is, for the arrows that wait on their neighbours.
enum class Token { Formula, Other, Neutral };

// Walks the words of a text, splits each at the signs that join species ("+", arrows, "/",
// bonds), marks the species that are formulae and the arrows that stand beside one.
class TextFormatter {
public:
    explicit TextFormatter(QStringView text) : m_text(text) {}

    QList<FormulaPiece> run() {
        qsizetype pos = 0;
        const qsizetype size = m_text.size();
        while (pos < size) {
            while (pos < size && isBoundary(m_text[pos]))
                ++pos;
            const qsizetype start = pos;
            while (pos < size && !isBoundary(m_text[pos]))
                ++pos;
            if (pos > start) word(start, pos);
        }
        settleArrows(false);
        return std::move(m_pieces);
    }

private:
    struct Arrow {
        qsizetype start;
        qsizetype length;
        QString sign;
        bool besideFormula;
    };

    void word(qsizetype start, qsizetype end) {
        trim(start, end);
        qsizetype segment = start;
        qsizetype pos = start;
        while (pos < end) {
            const qsizetype separator = separatorLength(pos, segment, end);
            if (separator == 0) {
                ++pos;
                continue;
            }
            if (pos > segment) species(segment, pos);
            arrowOrNeutral(pos, separator);
            pos += separator;
            segment = pos;
        }
        if (end > segment) species(segment, end);
    }

    // Quotes, brackets and the sentence's punctuation around a formula are not part of it; a
    // bracket is, when the formula closes it.
    void trim(qsizetype& start, qsizetype& end) const {
        const auto balance = [this](qsizetype from, qsizetype to, char16_t open, char16_t close) {
            int depth = 0;
            for (qsizetype i = from; i < to; ++i)
                depth += m_text[i] == open ? 1 : m_text[i] == close ? -1 : 0;
            return depth;
        };
        bool changed = true;
        while (changed && end > start) {
            changed = false;
            const QChar last = m_text[end - 1];
            if (isTrailingPunctuation(last)) {
                if ((last == u')' && balance(start, end, u'(', u')') >= 0) ||
                    (last == u']' && balance(start, end, u'[', u']') >= 0))
                    ; // closes a bracket of the formula
                else {
                    --end;
                    changed = true;
                    continue;
                }
            }
            const QChar first = m_text[start];
            if (isLeadingPunctuation(first)) {
                if ((first == u'(' && balance(start, end, u'(', u')') <= 0) ||
                    (first == u'[' && balance(start, end, u'[', u']') <= 0))
                    ; // opens a bracket of the formula
                else {
                    ++start;
                    changed = true;
                }
            }
        }
    }

    // The length of the sign at `pos` that stands between two species, 0 when none does.
    qsizetype separatorLength(qsizetype pos, qsizetype segment, qsizetype end) const {
        const QStringView rest = m_text.sliced(pos, end - pos);
        if (rest.startsWith(u"<=>")) return 3;
        if (rest.startsWith(u"->")) return 2;
        const QChar c = rest[0];
        if (QStringView(u"→⇌⇄⟶=/≡").contains(c)) return 1;
        // "+" and a bond "-" join species only between two of them: "Fe3+" ends with a charge.
        if ((c == u'+' || c == u'-') && pos > segment && rest.size() > 1) {
            const QChar next = rest[1];
            if (isUpper(next) || next == u'[') return 1;
            // "Cu2+(aq)": a state after a charge.
            if (next == u'(' && !isState(rest.sliced(1))) return 1;
            if (c == u'+' && isDigit(next)) return 1;
        }
        return 0;
    }

    void arrowOrNeutral(qsizetype pos, qsizetype length) {
        const QStringView sign = m_text.sliced(pos, length);
        QString replacement;
        if (sign == u"->")
            replacement = QStringLiteral("→");
        else if (sign == u"<=>")
            replacement = QStringLiteral("⇌");
        else
            return; // neutral: "+", "=", "/", a bond or an arrow already drawn
        m_arrows.append({pos, length, replacement, m_lastToken == Token::Formula});
    }

    void species(qsizetype start, qsizetype end) {
        const QStringView text = m_text.sliced(start, end - start);
        // "+" or "=" standing alone between species: no species, no break between them.
        if (text == u"+" || text == u"=") return;
        QList<FormulaPiece> pieces;
        bool formula = SpeciesParser(m_text, start, end, pieces).parse();
        // A concentration, "[Fe3+]": the brackets hold the whole species.
        if (!formula && text.size() > 2 && text.front() == u'[' && text.back() == u']')
            formula = SpeciesParser(m_text, start + 1, end - 1, pieces).parse();
        settleArrows(formula);
        m_lastToken = formula ? Token::Formula : Token::Other;
        if (formula) m_pieces += pieces;
    }

    // The arrows since the last species are drawn when a formula stands on either side.
    void settleArrows(bool formulaAfter) {
        for (const Arrow& arrow : std::as_const(m_arrows))
            if (arrow.besideFormula || formulaAfter)
                m_pieces.append({arrow.start, arrow.length, Script::Normal, true, arrow.sign});
        m_arrows.clear();
    }

    QStringView m_text;
    QList<FormulaPiece> m_pieces;
    QList<Arrow> m_arrows;
    Token m_lastToken = Token::Neutral;
};

} // namespace

QList<FormulaPiece> formatFormulae(QStringView text) {
    return TextFormatter(text).run();
}

QList<FormulaPiece> formatWordBefore(QStringView text, qsizetype position) {
    position = std::clamp<qsizetype>(position, 0, text.size());
    qsizetype end = position;
    while (end > 0 && isBoundary(text[end - 1]))
        --end;
    qsizetype start = end;
    while (start > 0 && !isBoundary(text[start - 1]))
        --start;
    // The word before it tells whether an arrow stands beside a formula.
    qsizetype context = start;
    while (context > 0 && isBoundary(text[context - 1]))
        --context;
    while (context > 0 && !isBoundary(text[context - 1]))
        --context;
    QList<FormulaPiece> pieces = formatFormulae(text.sliced(context, end - context));
    QList<FormulaPiece> word;
    for (FormulaPiece& piece : pieces) {
        piece.start += context;
        // The word's own pieces, and an arrow just before it that it stands beside.
        if (piece.start >= start || (piece.replaces && !piece.replacement.isEmpty()))
            word.append(std::move(piece));
    }
    return word;
}

QString formulaMarkup(QStringView text) {
    const QList<FormulaPiece> pieces = formatFormulae(text);
    QString out;
    out.reserve(text.size() + text.size() / 4);
    qsizetype pos = 0;
    Script open = Script::Normal;
    const auto close = [&] {
        if (open != Script::Normal) out += u'}';
        open = Script::Normal;
    };
    for (const FormulaPiece& piece : pieces) {
        if (piece.start > pos) {
            close();
            out += text.sliced(pos, piece.start - pos);
        }
        const QStringView written = piece.replaces ? QStringView(piece.replacement)
                                                   : text.sliced(piece.start, piece.length);
        if (!written.isEmpty() && piece.script != open) {
            close();
            if (piece.script != Script::Normal)
                out += piece.script == Script::Subscript ? u"_{" : u"^{";
            open = piece.script;
        }
        out += written;
        pos = piece.start + piece.length;
    }
    close();
    out += text.sliced(pos);
    return out;
}

bool endsTypedWord(QChar c) {
    return isBoundary(c) || QStringView(u".,;:!?").contains(c);
}

} // namespace alambix
