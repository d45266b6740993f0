#include "calculator/evaluator.h"

#include "app/blanks.h"

#include "calculator/numberformat.h"

#include <cmath>

namespace alambix {

namespace {

// A run-time failure inside the evaluation; never leaves this file.
struct RunTimeFailure {};

[[noreturn]] void fail() {
    throw RunTimeFailure{};
}

// Positions and counters are 16-bit: anything beyond is a failure, as an overflow would be.
int pos16(long long value) {
    if (value > 32767 || value < -32768) fail();
    return static_cast<int>(value);
}

int next16(int value) {
    return pos16(static_cast<long long>(value) + 1);
}

int length(const QString& text) {
    return static_cast<int>(std::min<qsizetype>(text.size(), 1 << 30));
}

// The character at 1-based `position`; a null character beyond the end. A position below 1 is
// a failure.
QChar charAt(const QString& text, int position) {
    if (position < 1) fail();
    return position <= text.size() ? text.at(position - 1) : QChar();
}

// As charAt, but looking beyond the end is a failure too.
QChar charAtStrict(const QString& text, int position) {
    if (position < 1 || position > text.size()) fail();
    return text.at(position - 1);
}

// Whether the characters at 1-based `position` are `pattern` (shorter text near the end never
// matches).
bool at(const QString& text, int position, QLatin1StringView pattern) {
    if (position < 1) fail();
    const qsizetype start = position - 1;
    if (start + pattern.size() > text.size()) return false;
    return QStringView(text).mid(start, pattern.size()) == pattern;
}

// The `count` characters at 1-based `start`: shorter or empty near the end.
QString mid(const QString& text, int start, int count) {
    if (start < 1 || count < 0) fail();
    if (start > text.size()) return {};
    return text.mid(start - 1, count);
}

QString midToEnd(const QString& text, int start) {
    if (start < 1) fail();
    if (start > text.size()) return {};
    return text.mid(start - 1);
}

QString left(const QString& text, int count) {
    if (count < 0) fail();
    return text.left(count);
}

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

QString upper(const QString& text) {
    // Character by character, so that positions never move.
    QString result = text;
    for (QChar& c : result)
        c = c.toUpper();
    return result;
}

void removeBlanks(QString& text) {
    text.remove(QLatin1Char(' '));
}

double checked(double value) {
    if (!std::isfinite(value)) fail();
    return value;
}

double readNumber(const QString& text) {
    const std::optional<double> value = lirenombre(text);
    if (!value) fail();
    return *value;
}

QString writeNumber(double value) {
    return trimBlanks(ecrirenombre(checked(value)));
}

double pi() {
    return 4 * std::atan(1.0);
}

constexpr QLatin1StringView functionCodes[] = {
    QLatin1StringView("COS"), QLatin1StringView("SIN"), QLatin1StringView("TAN"),
    QLatin1StringView("ICO"), QLatin1StringView("ISI"), QLatin1StringView("ITA"),
    QLatin1StringView("LOG"), QLatin1StringView("LON"), QLatin1StringView("EXP"),
    QLatin1StringView("SQR"),
};

constexpr QLatin1StringView operatorTexts[] = {
    QLatin1StringView(" ^ "), QLatin1StringView(" / "), QLatin1StringView(" * "),
    QLatin1StringView(" - "), QLatin1StringView(" + "),
};

bool functionCodeAt(const QString& text, int position) {
    const QChar first = charAt(text, position);
    if (!QStringView(u"CSTILE").contains(first) || first.isNull()) return false;
    for (const QLatin1StringView code : functionCodes)
        if (at(text, position, code)) return true;
    return false;
}

double arcSine(double x) {
    if (x == 1) return 2 * std::atan(1.0);
    if (x == -1) return -2 * std::atan(1.0);
    const double square = checked(1 - checked(x * x));
    if (square <= 0) fail(); // square root of a negative number, or a division by zero
    return std::atan(checked(x / std::sqrt(square)));
}

double applyFunction(QStringView code, double x, qint16 radians) {
    const bool inRadians = radians == 1;
    const auto angle = [&] { return inRadians ? x : checked(x * 4 * std::atan(1.0)) / 180; };
    const auto toUnit = [&](double a) { return inRadians ? a : a * 180 / pi(); };
    if (code == QLatin1StringView("SQR")) {
        if (x < 0) fail();
        return std::sqrt(x);
    }
    if (code == QLatin1StringView("EXP")) return checked(std::exp(x));
    if (code == QLatin1StringView("LON") || code == QLatin1StringView("LOG")) {
        if (x <= 0) fail();
        return code == QLatin1StringView("LON") ? std::log(x) : std::log(x) / std::log(10.0);
    }
    if (code == QLatin1StringView("SIN")) return checked(std::sin(angle()));
    if (code == QLatin1StringView("COS")) return checked(std::cos(angle()));
    if (code == QLatin1StringView("TAN")) return checked(std::tan(angle()));
    if (code == QLatin1StringView("ISI")) return toUnit(arcSine(x));
    if (code == QLatin1StringView("ICO")) return toUnit(2 * std::atan(1.0) - arcSine(x));
    return toUnit(std::atan(x)); // "ITA"
}

double applyOperator(QChar op, double a, double b) {
    switch (op.unicode()) {
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
// into error code 1.
struct EvaluateurSteps {
    Evaluateur& e;

    void nettoie(QString& t) {
        t = upper(t);
        removeBlanks(t);
        for (;;) {
            const QString start = t;
            const int l = length(t);
            for (int i = 1; i <= l; i = next16(i)) {
                if (at(t, i, QLatin1StringView("--"))) t.replace(i - 1, 2, QLatin1Char('+'));
                if (at(t, i, QLatin1StringView("+-"))) t.replace(i - 1, 2, QLatin1Char('-'));
                if (at(t, i, QLatin1StringView("-+"))) t.replace(i - 1, 2, QLatin1Char('-'));
                if (at(t, i, QLatin1StringView("++"))) t.replace(i - 1, 2, QLatin1Char('+'));
            }
            if (t.startsWith(QLatin1Char('+'))) t.remove(0, 1);
            const int l2 = length(t);
            for (int i = 1; i <= l2; i = next16(i)) {
                if (charAt(t, i) != QLatin1Char('(')) continue;
                // A parenthesised plain number loses its parentheses.
                for (int j = 1;; j = next16(j)) {
                    const QChar c = charAtStrict(t, pos16(i + j));
                    if (c == QLatin1Char(')') && j > 1) {
                        t = left(t, i - 1) + mid(t, pos16(i + 1), j - 1) +
                            midToEnd(t, pos16(i + j + 1));
                        break;
                    }
                    const bool goesOn =
                        isDigit(c) || c == QLatin1Char('.') ||
                        (j == 1 && (c == QLatin1Char('-') || c == QLatin1Char('+')));
                    if (!goesOn) break;
                }
            }
            if (t == start) break;
        }
        espace(t);
    }

    static void espace(QString& t) {
        t = upper(t);
        removeBlanks(t);
        if (t.startsWith(QLatin1Char('+'))) t.remove(0, 1);
        t = QLatin1Char(' ') + t + QLatin1Char(' ');
        const long long bound = 3LL * t.size();
        const auto blankAfterCode = [&t](int i) {
            pos16(i + 3);
            t.insert(i + 2, QLatin1Char(' '));
        };
        const auto spaceOperator = [&t](int& i, QLatin1StringView spaced) {
            t.replace(i - 1, 1, spaced);
            i = pos16(i + 1);
        };
        for (int i = 1; i <= bound; i = next16(i)) {
            if (i > t.size()) {
                // Nothing matches beyond the end, but the scan would still count on to its
                // bound.
                if (bound >= 32767) fail();
                break;
            }
            const QChar first = t.at(i - 1);
            if (QStringView(u"SLCTIE").contains(first)) {
                if (at(t, i, QLatin1StringView("SQR"))) blankAfterCode(i);
                if (at(t, i, QLatin1StringView("LON"))) blankAfterCode(i);
                if (at(t, i, QLatin1StringView("LN"))) {
                    pos16(i + 2);
                    t.replace(i - 1, 2, QLatin1StringView("LON "));
                }
                if (at(t, i, QLatin1StringView("SIN")) || at(t, i, QLatin1StringView("COS")))
                    blankAfterCode(i);
                if (at(t, i, QLatin1StringView("LOG")) || at(t, i, QLatin1StringView("TAN")))
                    blankAfterCode(i);
                if (at(t, i, QLatin1StringView("ISI")) || at(t, i, QLatin1StringView("EXP")))
                    blankAfterCode(i);
                if (at(t, i, QLatin1StringView("ITA")) || at(t, i, QLatin1StringView("ICO")))
                    blankAfterCode(i);
                if (at(t, i, QLatin1StringView("INV"))) {
                    pos16(i + 6);
                    const QString kept = mid(t, i + 3, 2);
                    t.replace(i - 1, 6, QLatin1Char('I') + kept + QLatin1Char(' '));
                }
                continue; // the letter stays at i: none of the operators below
            }
            if (first == QLatin1Char('^')) {
                spaceOperator(i, QLatin1StringView(" ^ "));
            } else if (first == QLatin1Char('*')) {
                spaceOperator(i, QLatin1StringView(" * "));
            } else if (first == QLatin1Char('/')) {
                spaceOperator(i, QLatin1StringView(" / "));
            } else if (first == QLatin1Char('+')) {
                const QChar before = charAt(t, i - 1);
                if (before != QLatin1Char('D') && before != QLatin1Char('E'))
                    spaceOperator(i, QLatin1StringView(" + "));
            } else if (first == QLatin1Char('-')) {
                const QChar before = charAt(t, i - 1);
                if (before != QLatin1Char('D') && before != QLatin1Char('E') &&
                    before != QLatin1Char('(') && before != QLatin1Char(' '))
                    spaceOperator(i, QLatin1StringView(" - "));
            }
        }
    }

    static void verifie(const QString& t, qint16& erreur) {
        int opening = 0;
        int closing = 0;
        // Positions stop at the 16-bit limit; a failure here is skipped, the scan goes on.
        const int l = std::min(length(t), 32767);
        for (int k = 1; k <= l; ++k) {
            const QChar c = t.at(k - 1);
            if (c == QLatin1Char('(')) ++opening;
            if (c == QLatin1Char(')')) ++closing;
            if ((c == QLatin1Char('*') || c == QLatin1Char('/') || c == QLatin1Char('^')) &&
                k + 2 <= t.size() && t.at(k + 1) == QLatin1Char(' '))
                erreur = ErreurOperateurs;
        }
        if (opening != closing) erreur = ErreurParentheses;
    }

    void compte(const QString& t) {
        int nbpar = 0;
        int nbop = 0;
        int nbfonc = 0;
        e.m_nbpar = e.m_nbop = e.m_nbfonc = 0;
        const int l = length(t);
        for (int k = 1; k <= l; k = next16(k)) {
            const QChar c = t.at(k - 1);
            if (c == QLatin1Char('(')) {
                nbpar = next16(nbpar);
            } else if (c == QLatin1Char(' ')) {
                for (const QLatin1StringView op : operatorTexts)
                    if (at(t, k, op)) nbop = next16(nbop);
            } else if (functionCodeAt(t, k)) {
                nbfonc = next16(nbfonc);
            }
        }
        e.m_nbpar = static_cast<qint16>(nbpar);
        e.m_nbop = static_cast<qint16>(nbop);
        e.m_nbfonc = static_cast<qint16>(nbfonc);
    }

    void fonctions(QString& t, qint16 radians) {
        int k = 1;
        do {
            k = next16(k);
            if (!functionCodeAt(t, k)) continue;
            const QChar first = charAtStrict(t, pos16(k + 4));
            if (!isDigit(first) && first != QLatin1Char('-') && first != QLatin1Char('.')) continue;
            int end = pos16(k + 5);
            for (;; end = next16(end)) {
                const QChar c = charAtStrict(t, end);
                if (c == QLatin1Char(')') || c == QLatin1Char(' ')) break;
            }
            const double x = readNumber(mid(t, pos16(k + 4), end - (k + 4)));
            const double v = applyFunction(QStringView(t).mid(k - 1, 3), x, radians);
            t = left(t, k - 1) + writeNumber(v) + midToEnd(t, end);
            e.m_nbfonc = static_cast<qint16>(pos16(e.m_nbfonc - 1));
            k = 1;
        } while (!(k >= length(t) || e.m_nbfonc <= 0));
    }

    void parentheses(QString& t) {
        for (;;) {
            const int o = pos16(t.lastIndexOf(QLatin1Char('(')) + 1);
            if (o == 0) return;
            const int close = pos16(t.indexOf(QLatin1Char(')'), o - 1) + 1);
            const int w = close - o;
            QString inner = mid(t, pos16(o + 1), w - 1);
            for (const QChar c : inner)
                if (c.unicode() >= 70 && c.unicode() <= 89)
                    return; // a function inside the group goes first
            nettoie(inner);
            operations(inner);
            t = left(t, o - 1) + inner + midToEnd(t, pos16(o + w + 1));
            e.m_nbpar = static_cast<qint16>(pos16(e.m_nbpar - 1));
            nettoie(t);
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

    void operations(QString& t) {
        nettoie(t);
        int op = 0;
        for (;;) {
            bool found = false;
            int k = 2;
            for (;;) {
                if (displayEmpty()) return;
                k = next16(k);
                if (!found && at(t, k, operatorTexts[op])) {
                    found = true;
                    int j = 2;
                    while (charAt(t, pos16(k - j)) != QLatin1Char(' '))
                        j = next16(j);
                    int c = 2;
                    while (charAtStrict(t, pos16(k + 2 + c)) != QLatin1Char(' '))
                        c = next16(c);
                    const double a = readNumber(mid(t, pos16(k - j + 1), j - 1));
                    const double b = readNumber(mid(t, pos16(k + 3), c - 1));
                    const double v = applyOperator(operatorTexts[op].at(1), a, b);
                    t = left(t, k - j) + writeNumber(v) + midToEnd(t, pos16(k + c + 2));
                    e.m_nbop = static_cast<qint16>(pos16(e.m_nbop - 1));
                }
                if (e.m_nbop < 1) return;
                if (k >= length(t)) break;
            }
            if (found) {
                op = 0;
            } else if (++op == int(std::size(operatorTexts))) {
                return;
            }
        }
    }

    void calcule(QString& expression, qint16& erreur, qint16 radians) {
        int pass = 0;
        QString remembered;
        nettoie(expression);
        verifie(expression, erreur);
        if (erreur != CalculReussi) return;
        compte(expression);
        struct PassStart {
            QString expression, remembered;
            qint16 nbpar, nbop, nbfonc;
            bool operator==(const PassStart&) const = default;
        } previous;
        for (;;) {
            // A pass that starts as the previous one did repeats it exactly, and so would every
            // pass up to the cap: the outcome is the cap's, reached at once.
            const PassStart start{expression, remembered, e.m_nbpar, e.m_nbop, e.m_nbfonc};
            const bool repeats = pass > 0 && start == previous;
            previous = start;
            pass = next16(pass);
            if (expression == remembered) nettoie(expression);
            remembered = expression;
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
            expression = trimBlanks(expression);
            if (expression.contains(QLatin1Char(' '))) erreur = CalculImpossible;
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
} // namespace

Evaluateur::Evaluateur(DisplayText z1Text) : m_z1Text(std::move(z1Text)) {}

qint16 Evaluateur::calcule(QString& expression, qint16 radians) {
    qint16 erreur = CalculReussi;
    if (!guarded([&] { EvaluateurSteps{*this}.calcule(expression, erreur, radians); }))
        erreur = CalculImpossible;
    return erreur;
}

bool Evaluateur::nettoie(QString& text) {
    return guarded([&] { EvaluateurSteps{*this}.nettoie(text); });
}

bool Evaluateur::espace(QString& text) {
    return guarded([&] { EvaluateurSteps::espace(text); });
}

void Evaluateur::verifie(const QString& text, qint16& erreur) const {
    EvaluateurSteps::verifie(text, erreur);
}

bool Evaluateur::compte(const QString& text) {
    return guarded([&] { EvaluateurSteps{*this}.compte(text); });
}

bool Evaluateur::fonctions(QString& text, qint16 radians) {
    return guarded([&] { EvaluateurSteps{*this}.fonctions(text, radians); });
}

bool Evaluateur::parentheses(QString& text) {
    return guarded([&] { EvaluateurSteps{*this}.parentheses(text); });
}

bool Evaluateur::operations(QString& text) {
    return guarded([&] { EvaluateurSteps{*this}.operations(text); });
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
