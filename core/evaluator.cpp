#include "core/evaluator.h"

#include "core/blanks.h"
#include "core/evaluatortext.h"
#include "core/numberformat.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <string_view>

namespace alambix {

using namespace evaluation;

namespace {

double pi() {
    return 4 * std::atan(1.0);
}

double arcSine(double x) {
    if (x == 1) return 2 * std::atan(1.0);
    if (x == -1) return -2 * std::atan(1.0);
    const double square = checked(1 - checked(x * x));
    if (square <= 0) fail(); // square root of a negative number, or a division by zero
    return std::atan(checked(x / std::sqrt(square)));
}

double applyFunction(View code, double x, qint16 radians) {
    const bool inRadians = radians == 1;
    const auto angle = [&] { return inRadians ? x : checked(x * 4 * std::atan(1.0)) / 180; };
    const auto toUnit = [&](double a) { return inRadians ? a : a * 180 / pi(); };
    if (code == u"SQR") {
        if (x < 0) fail();
        return std::sqrt(x);
    }
    if (code == u"EXP") return checked(std::exp(x));
    if (code == u"LON" || code == u"LOG") {
        if (x <= 0) fail();
        return code == u"LON" ? std::log(x) : std::log(x) / std::log(10.0);
    }
    if (code == u"SIN") return checked(std::sin(angle()));
    if (code == u"COS") return checked(std::cos(angle()));
    if (code == u"TAN") return checked(std::tan(angle()));
    if (code == u"ISI") return toUnit(arcSine(x));
    if (code == u"ICO") return toUnit(2 * std::atan(1.0) - arcSine(x));
    return toUnit(std::atan(x)); // "ITA"
}

double applyOperator(char16_t op, double a, double b) {
    switch (op) {
    case u'^':
        if (a == 0 && b < 0) fail(); // division by zero
        return checked(std::pow(a, b));
    case u'/':
        if (b == 0) fail();
        return checked(a / b);
    case u'*':
        return checked(a * b);
    case u'-':
        return checked(a - b);
    default:
        return checked(a + b);
    }
}

} // namespace

// The steps proper: they throw RunTimeFailure, which the public members turn into false or
// into error code 1. A step that fails leaves the text as it was at that moment.
struct EvaluateurSteps {
    Evaluateur& e;

    // Folds the signs: "--" to "+", "+-" and "-+" to "-", "++" to "+", position by position.
    static void foldSigns(Str& t) {
        const std::size_t l = t.size();
        const std::size_t last = std::min<std::size_t>(l, 32767);
        Str out;
        out.reserve(l);
        std::size_t r = 0;
        while (r < l && out.size() < last) {
            char16_t c = t[r++];
            const auto next = [&] { return r < l ? t[r] : char16_t(0); };
            if (c == u'-' && next() == u'-') c = u'+', ++r;
            if (c == u'+' && next() == u'-') c = u'-', ++r;
            if (c == u'-' && next() == u'+') c = u'-', ++r;
            if (c == u'+' && next() == u'+') c = u'+', ++r;
            out.push_back(c);
        }
        out.append(t, r);
        t = std::move(out);
        if (l >= 32767) fail(); // the scan counts past the 16-bit limit
    }

    // Removes the parentheses around plain numbers: «(-2.5)» becomes «-2.5».
    static void unwrapNumbers(Str& t) {
        const Str src = std::move(t);
        const long l = static_cast<long>(src.size());
        const long last = std::min<long>(l, 32767);
        Str out;
        out.reserve(src.size());
        std::size_t r = 0;
        long i = 0; // position of src[r] in the current text, once incremented
        const auto leave = [&] {
            Str partial = out;
            partial.append(src, r);
            t = std::move(partial);
            fail();
        };
        while (r < src.size() && i < last) {
            ++i;
            if (src[r] != u'(') {
                out.push_back(src[r++]);
                continue;
            }
            bool unwrapped = false;
            for (long j = 1;; ++j) {
                if (i + j > 32767 || r + std::size_t(j) >= src.size()) leave();
                const char16_t c = src[r + std::size_t(j)];
                if (c == u')' && j > 1) {
                    if (i + j + 1 > 32767) leave();
                    out.append(src, r + 1, std::size_t(j - 1));
                    r += std::size_t(j + 1);
                    i += j - 2;
                    unwrapped = true;
                    break;
                }
                const bool goesOn = isDigit(c) || c == u'.' || (j == 1 && (c == u'-' || c == u'+'));
                if (!goesOn) break;
            }
            if (!unwrapped) out.push_back(src[r++]);
        }
        out.append(src, r);
        t = std::move(out);
        if (l >= 32767) fail();
    }

    static void nettoie(Str& t) {
        upperAndUnblank(t);
        for (;;) {
            const Str start = t;
            foldSigns(t);
            if (!t.empty() && t[0] == u'+') t.erase(0, 1);
            unwrapNumbers(t);
            if (t == start) break;
        }
        espace(t);
    }

    static void nettoie(Text& t) {
        Str s = t.str();
        try {
            nettoie(s);
        } catch (const RunTimeFailure&) {
            t.assign(std::move(s));
            throw;
        }
        t.assign(std::move(s));
    }

    // Puts the blanks back: one after each function code, one on each side of an operator.
    static void espace(Str& t) {
        upperAndUnblank(t);
        if (!t.empty() && t[0] == u'+') t.erase(0, 1);
        t.insert(t.begin(), u' ');
        t.push_back(u' ');
        const long long bound = 3LL * static_cast<long long>(t.size());
        Str out;
        out.reserve(t.size() * 2);
        // What is left to scan, last character first, so that the edits at the scan position
        // are cheap.
        Str rest(t.rbegin(), t.rend());
        const auto peek = [&rest](std::size_t k) {
            return k < rest.size() ? rest[rest.size() - 1 - k] : char16_t(0);
        };
        const auto here = [&](std::string_view pattern) {
            if (pattern.size() > rest.size()) return false;
            for (std::size_t k = 0; k < pattern.size(); ++k)
                if (peek(k) != char16_t(pattern[k])) return false;
            return true;
        };
        const auto replaceHere = [&rest](std::size_t count, View with) {
            rest.resize(rest.size() - std::min(count, rest.size()));
            rest.append(with.rbegin(), with.rend());
        };
        const auto leave = [&] {
            Str partial = out;
            partial.append(rest.rbegin(), rest.rend());
            t = std::move(partial);
            fail();
        };
        long i = 1;
        const auto check = [&](long long position) {
            if (position > 32767) leave();
        };
        const auto blankAfterCode = [&] {
            check(i + 3);
            rest.insert(rest.size() - 3, 1, u' ');
        };
        const auto spaceOperator = [&](char16_t op) {
            const char16_t spaced[] = {u' ', op, u' '};
            replaceHere(1, View(spaced, 3));
            check(i + 1);
            out.push_back(u' ');
            rest.pop_back();
            ++i; // the scan goes on from the operator
        };
        for (; i <= bound;) {
            if (rest.empty()) {
                t = out;
                if (bound >= 32767) fail(); // the scan would count on to its bound
                return;
            }
            const char16_t first = peek(0);
            if (View(u"SLCTIE").find(first) != View::npos) {
                if (here("SQR")) blankAfterCode();
                if (here("LON")) blankAfterCode();
                if (here("LN")) {
                    check(i + 2);
                    replaceHere(2, u"LON ");
                }
                if (here("SIN") || here("COS")) blankAfterCode();
                if (here("LOG") || here("TAN")) blankAfterCode();
                if (here("ISI") || here("EXP")) blankAfterCode();
                if (here("ITA") || here("ICO")) blankAfterCode();
                if (here("INV")) {
                    check(i + 6);
                    Str kept(1, u'I');
                    for (std::size_t k = 3; k < 5 && k < rest.size(); ++k)
                        kept.push_back(peek(k));
                    kept.push_back(u' ');
                    replaceHere(6, kept);
                }
            } else if (first == u'^' || first == u'*' || first == u'/') {
                spaceOperator(first);
            } else if (first == u'+') {
                const char16_t before = out.back();
                if (before != u'D' && before != u'E') spaceOperator(first);
            } else if (first == u'-') {
                const char16_t before = out.back();
                if (before != u'D' && before != u'E' && before != u'(' && before != u' ')
                    spaceOperator(first);
            }
            out.push_back(rest.back());
            rest.pop_back();
            check(i + 1L);
            ++i;
        }
        t = out;
        t.append(rest.rbegin(), rest.rend());
    }

    static void verifie(View t, qint16& erreur) {
        int opening = 0;
        int closing = 0;
        // Positions stop at the 16-bit limit; a failure here is skipped, the scan goes on.
        const std::size_t l = std::min<std::size_t>(t.size(), 32767);
        for (std::size_t k = 0; k < l; ++k) {
            const char16_t c = t[k];
            if (c == u'(') ++opening;
            if (c == u')') ++closing;
            if ((c == u'*' || c == u'/' || c == u'^') && k + 2 < t.size() && t[k + 2] == u' ')
                erreur = ErreurOperateurs;
        }
        if (opening != closing) erreur = ErreurParentheses;
    }

    void compte(const Text& t) {
        int nbpar = 0;
        int nbop = 0;
        int nbfonc = 0;
        e.m_nbpar = e.m_nbop = e.m_nbfonc = 0;
        const int l = t.size();
        for (int k = 1; k <= l; k = next16(k)) {
            const char16_t c = t[k - 1];
            if (c == u'(') {
                nbpar = next16(nbpar);
            } else if (c == u' ') {
                if (k + 2 <= l && t[k + 1] == u' ' && isOperator(t[k])) nbop = next16(nbop);
            } else if (functionCodeAt(t, k)) {
                nbfonc = next16(nbfonc);
            }
        }
        e.m_nbpar = static_cast<qint16>(nbpar);
        e.m_nbop = static_cast<qint16>(nbop);
        e.m_nbfonc = static_cast<qint16>(nbfonc);
    }

    void fonctions(Text& t, qint16 radians) {
        int k = 1;
        do {
            k = next16(k);
            if (!functionCodeAt(t, k)) continue;
            const char16_t first = charAtStrict(t, pos16(k + 4));
            if (!isDigit(first) && first != u'-' && first != u'.') continue;
            int end = pos16(k + 5);
            for (;; end = next16(end)) {
                const char16_t c = charAtStrict(t, end);
                if (c == u')' || c == u' ') break;
            }
            const double x = readNumber(t.slice(k + 3, end - (k + 4)));
            const double v = applyFunction(t.slice(k - 1, 3), x, radians);
            t.replace(k - 1, end - k, writeNumber(v));
            e.m_nbfonc = static_cast<qint16>(pos16(e.m_nbfonc - 1));
            // The scan starts again from the left; what lies before the replaced code is
            // unchanged and held no code ready to apply, so it resumes just before it.
            k = std::max(1, k - 5);
        } while (!(k >= t.size() || e.m_nbfonc <= 0));
    }

    // The normalisation of the whole text after the group at 1-based `o` was replaced by
    // `length` characters, done on the tokens around them only. Returns false, changing
    // nothing, when those tokens might not normalise as they would within the whole text. On
    // success `searchEnd` is where the normalised piece ends.
    static bool nettoieAround(Text& t, int o, int length, int& searchEnd, bool& stable) {
        const int size = t.size();
        if (size >= 10000) return false; // far from every 16-bit limit
        constexpr int reach = 64;
        // Left: the blank after an operator token, or the text's first character.
        int b = -1;
        for (int p = o - 1; p >= std::max(0, o - 1 - reach); --p) {
            if (t[p] != u' ') continue;
            if (p == 0 || (p >= 2 && isOperator(t[p - 1]) && t[p - 2] == u' ')) {
                b = p;
                break;
            }
        }
        // Right: the blank before an operator token, or the text's last character.
        int e = -1;
        const int spliceEnd = o - 1 + length; // 0-based, first character after the group
        for (int p = std::max(spliceEnd - 1, b + 1); p < std::min(size, spliceEnd + reach); ++p) {
            if (t[p] != u' ') continue;
            if (p == size - 1 || (p + 2 < size && isOperator(t[p + 1]) && t[p + 2] == u' ')) {
                e = p;
                break;
            }
        }
        if (b < 0 || e <= b) return false;
        const bool atStart = b == 0;
        const bool atEnd = e == size - 1;
        Str piece;
        for (int p = b + 1; p < e; ++p)
            if (t[p] != u' ') piece.push_back(t[p]);
        if (piece.empty()) return false;
        if (!atStart) {
            const char16_t op = t[b - 1];
            std::size_t first = 0;
            if (op != u'+' && op != u'-')
                while (first < piece.size() && piece[first] == u'(')
                    ++first;
            if (first >= piece.size()) return false;
            const char16_t c = piece[first];
            const char16_t after = first + 1 < piece.size() ? piece[first + 1] : char16_t(0);
            const bool signedStart = op != u'+' && op != u'-' && c == u'-' && plainStart(after);
            if (!plainStart(c) && !signedStart) return false;
            if (piece[0] == u'(' && (op == u'+' || op == u'-')) return false;
        }
        if (!atEnd && piece.back() == u'(') return false;
        Str normalised = piece;
        try {
            nettoie(normalised);
        } catch (const RunTimeFailure&) {
            return false;
        }
        if (!atEnd) {
            std::size_t last = normalised.size();
            while (last > 0 && normalised[last - 1] == u' ')
                --last;
            if (last == 0) return false;
            const char16_t c = normalised[last - 1];
            if (!isDigit(c) && c != u'.' && c != u')') return false;
        }
        t.replace(b, e - b + 1, normalised);
        searchEnd = b + int(normalised.size());
        // Whether the text keeps the shape the next group relies on.
        const int from = atStart ? 0 : b - 2;
        const int to = atEnd ? t.size() - 1 : searchEnd + 1;
        stable = from >= 0 && to < t.size() && stableTokens(t, from, to, atStart, atEnd);
        return true;
    }

    static bool stableText(const Text& t) {
        return t.size() >= 2 && stableTokens(t, 0, t.size() - 1, true, true);
    }

    void parentheses(Text& t) {
        bool stable = stableText(t);
        int searchEnd = t.size();
        for (;;) {
            int open = -1;
            for (int p = searchEnd - 1; p >= 0; --p)
                if (t[p] == u'(') {
                    open = p;
                    break;
                }
            const int o = pos16(open + 1);
            if (o == 0) return;
            int closeIndex = -1;
            for (int p = o - 1; p < t.size(); ++p)
                if (t[p] == u')') {
                    closeIndex = p;
                    break;
                }
            const int close = pos16(closeIndex + 1);
            const int w = close - o;
            pos16(o + 1);
            if (w - 1 < 0) fail();
            Text inner(t.slice(o, std::min(w - 1, t.size() - o)));
            for (int i = 0; i < inner.size(); ++i)
                if (inner[i] >= 70 && inner[i] <= 89) return; // a function inside the group first
            nettoie(inner);
            operations(inner);
            pos16(o + w + 1);
            const Str reduced = inner.str();
            t.replace(o - 1, w + 1, reduced);
            e.m_nbpar = static_cast<qint16>(pos16(e.m_nbpar - 1));
            if (!stable || !nettoieAround(t, o, int(reduced.size()), searchEnd, stable)) {
                nettoie(t);
                stable = stableText(t);
                searchEnd = t.size();
            }
            if (e.m_nbpar <= 0) return;
        }
    }

    bool displayEmpty() const {
        if (!e.m_z1Text) return false;
        const QString shown = e.m_z1Text();
        for (const QChar c : shown)
            if (c != QLatin1Char(' ')) return false;
        return true;
    }

    // One operator at 1-based `k`, " op " being the three characters there. `counts` and
    // `hints` follow the text: how many of each operator stand at positions 3 and beyond, and
    // for each a position before which there is none.
    void apply(Text& t, int k, int counts[5], int hints[5]) {
        int j = 2;
        while (charAt(t, pos16(k - j)) != u' ')
            j = next16(j);
        int c = 2;
        while (charAtStrict(t, pos16(k + 2 + c)) != u' ')
            c = next16(c);
        const double a = readNumber(t.slice(pos16(k - j + 1) - 1, j - 1));
        const double b = readNumber(t.slice(pos16(k + 3) - 1, std::min(c - 1, t.size() - k - 2)));
        const double v = applyOperator(t[k], a, b);
        const Str written = writeNumber(v);
        pos16(k + c + 2);
        countOperators(t, k - j - 1, k + c + 1, -1, counts);
        t.replace(k - j, c + j + 1, written);
        countOperators(t, k - j - 1, k - j + int(written.size()), +1, counts);
        for (int i = 0; i < 5; ++i)
            hints[i] = std::min(hints[i], std::max(3, k - j - 1));
        e.m_nbop = static_cast<qint16>(pos16(e.m_nbop - 1));
    }

    // Adds `sign` to the count of each operator standing at a 1-based position from `from` to
    // `to` (3 at least).
    static void countOperators(const Text& t, int from, int to, int sign, int counts[5]) {
        const int last = std::min(to, t.size() - 2);
        for (int k = std::max(3, from); k <= last; ++k) {
            if (t[k - 1] != u' ' || t[k + 1] != u' ') continue;
            const char16_t* op =
                std::find(std::begin(operatorOrder), std::end(operatorOrder), t[k]);
            if (op != std::end(operatorOrder)) counts[op - operatorOrder] += sign;
        }
    }

    // Each cycle applies the leftmost occurrence of the first operator present in the order
    // ^, /, *, -, +, then starts again from "^". The scan of a cycle is replaced by the counts
    // of the operators and, for each, a position before which it does not occur.
    void operations(Text& t) {
        nettoie(t);
        int counts[5] = {};
        int hints[5] = {3, 3, 3, 3, 3};
        countOperators(t, 3, t.size(), +1, counts);
        int op = 0;
        for (;;) {
            if (displayEmpty()) return;
            bool found = false;
            if (counts[op] > 0) {
                int k = std::max(3, hints[op]);
                while (k + 2 <= t.size() &&
                       !(t[k - 1] == u' ' && t[k] == operatorOrder[op] && t[k + 1] == u' '))
                    ++k;
                if (k + 2 > t.size()) fail(); // counts out of step with the text: never happens
                hints[op] = k;
                // The scan stops at its first step once the shared count is spent.
                if (e.m_nbop < 1 && k > 3) return;
                if (k > 32767) fail(); // the scan would pass the 16-bit limit before it
                apply(t, k, counts, hints);
                found = true;
                if (e.m_nbop < 1) return;
                if (k < t.size() && t.size() > 32767) fail();
            } else {
                if (e.m_nbop < 1) return;
                if (t.size() > 32767) fail();
            }
            if (found) {
                op = 0;
            } else if (++op == int(std::size(operatorOrder))) {
                return;
            }
        }
    }

    void calcule(Text& expression, qint16& erreur, qint16 radians) {
        int pass = 0;
        Str remembered;
        nettoie(expression);
        verifie(expression.str(), erreur);
        if (erreur != CalculReussi) return;
        compte(expression);
        struct PassStart {
            Str expression, remembered;
            qint16 nbpar, nbop, nbfonc;
            bool operator==(const PassStart&) const = default;
        } previous;
        for (;;) {
            // A pass that starts as the previous one did repeats it exactly, and so would every
            // pass up to the cap: the outcome is the cap's, reached at once.
            PassStart start{expression.str(), remembered, e.m_nbpar, e.m_nbop, e.m_nbfonc};
            const bool repeats = pass > 0 && start == previous;
            pass = next16(pass);
            if (start.expression == remembered) {
                nettoie(expression);
                remembered = expression.str();
            } else {
                remembered = start.expression;
            }
            previous = std::move(start);
            if (pass > 100 || repeats) {
                erreur = CalculImpossible;
                return;
            }
            if (e.m_nbfonc > 0) {
                fonctions(expression, radians);
                nettoie(expression);
            }
            if (e.m_nbpar > 0) parentheses(expression);
            compte(expression);
            if (e.m_nbfonc > 0 || e.m_nbpar > 0) continue;
            if (e.m_nbop > 0) operations(expression);
            compte(expression);
            if (e.m_nbop > 0) continue;
            const QString result = trimBlanks(toQString(expression.str()));
            expression.assign(toStr(result));
            if (result.contains(QLatin1Char(' '))) erreur = CalculImpossible;
            return;
        }
    }
};

namespace {
template <typename Step> bool guarded(Step&& step) {
    try {
        step();
        return true;
    } catch (const RunTimeFailure&) {
        return false;
    }
}

// Runs `step` on a working copy of `text` and writes it back, also after a failure.
template <typename Step> bool onText(QString& text, Step&& step) {
    Text working(toStr(text));
    const bool done = guarded([&] { step(working); });
    text = toQString(working.str());
    return done;
}
} // namespace

Evaluateur::Evaluateur(DisplayText z1Text) : m_z1Text(std::move(z1Text)) {}

qint16 Evaluateur::calcule(QString& expression, qint16 radians) {
    qint16 erreur = CalculReussi;
    if (!onText(expression, [&](Text& t) { EvaluateurSteps{*this}.calcule(t, erreur, radians); }))
        erreur = CalculImpossible;
    return erreur;
}

bool Evaluateur::nettoie(QString& text) {
    return onText(text, [&](Text& t) { EvaluateurSteps::nettoie(t); });
}

bool Evaluateur::espace(QString& text) {
    Str working = toStr(text);
    const bool done = guarded([&] { EvaluateurSteps::espace(working); });
    text = toQString(working);
    return done;
}

void Evaluateur::verifie(const QString& text, qint16& erreur) const {
    EvaluateurSteps::verifie(
        View(reinterpret_cast<const char16_t*>(text.utf16()), std::size_t(text.size())), erreur);
}

bool Evaluateur::compte(const QString& text) {
    const Text working(toStr(text));
    return guarded([&] { EvaluateurSteps{*this}.compte(working); });
}

bool Evaluateur::fonctions(QString& text, qint16 radians) {
    return onText(text, [&](Text& t) { EvaluateurSteps{*this}.fonctions(t, radians); });
}

bool Evaluateur::parentheses(QString& text) {
    return onText(text, [&](Text& t) { EvaluateurSteps{*this}.parentheses(t); });
}

bool Evaluateur::operations(QString& text) {
    return onText(text, [&](Text& t) { EvaluateurSteps{*this}.operations(t); });
}

void Evaluateur::setCounters(qint16 nbpar, qint16 nbop, qint16 nbfonc) {
    m_nbpar = nbpar;
    m_nbop = nbop;
    m_nbfonc = nbfonc;
}

void calcule(QString& expression, qint16& erreur, qint16 radians, const DisplayText& z1Text) {
    erreur = Evaluateur(z1Text).calcule(expression, radians);
}

} // namespace alambix
