// Makes the rows of evaluator_cases.tsv with the evaluator and keypad it is compiled with; built
// and run by record-evaluator-cases.sh against the evaluator of a chosen commit.
//   evaluatorcases SEED            random expressions of every kind, with their outcomes
//   evaluatorcases --replay FILE   FILE's expressions, their outcomes recorded again
// A row: r or d (radians, degrees) and n or s (standard, scientific display), the expression, the
// code and the text calcule() gives (md5:<digest> past 300 characters), the keypad's display.
#include "core/calculatorkeys.h"
#include "core/evaluator.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <random>

using namespace alambix;

namespace {
std::mt19937 rng;

int pick(int n) {
    return int(rng() % unsigned(n));
}

// One of the texts `choices` separates by '|'.
QString any(const char* choices) {
    const QStringList list = QString::fromLatin1(choices).split(QLatin1Char('|'));
    return list.at(pick(int(list.size())));
}

QString flags() {
    return any("rn|rs|dn|ds");
}

QString number() {
    switch (pick(8)) {
    case 0:
        return any("0|1|0.5|-0.5|30|45|60|90|180|100|1000|0.0|3.14159265358979|1E300|1E308|9E307|"
                   "2E154|1E999|1E-300|1E-320");
    case 1:
        return QString::number(pick(10));
    case 2:
    case 3:
    case 4:
        return QString::number(pick(1000));
    case 5:
    case 6:
        return any("|0|1|12") + '.' + QString::number(pick(1000));
    default: // an exponent: 2D2, 28d+18, 65E-6
        return QString::number(1 + pick(99)) + any("e|E|d|D") + any("|+|-") +
               QString::number(pick(21));
    }
}

QString function() {
    QString name = any("sin|cos|tan|exp|ln|log|sqr|invsin|invcos|invtan|ico|isi|ita|lon");
    switch (pick(4)) {
    case 0:
        return name.toUpper();
    case 1:
        return name.startsWith(QLatin1String("inv")) ? "inv" + name.mid(3).toUpper()
                                                     : name.left(1).toUpper() + name.mid(1);
    default:
        return name;
    }
}

QString expression(int depth);

QString factor(int depth) {
    const QString sign = pick(8) ? QString() : any("-|-|+|--|+-|-+|---");
    switch (pick(depth > 1 ? 3 : 6)) {
    case 0:
    case 1:
    case 2:
        return sign + number();
    case 3:
        return sign + '(' + expression(depth + 1) + ')';
    default: // a function and its argument: joined, spaced or in parentheses
        return sign + function() + any("| | ") +
               (pick(3) == 0 ? '(' + expression(depth + 1) + ')' : factor(depth + 1));
    }
}

QString expression(int depth) {
    QString text = factor(depth);
    const bool spaced = pick(4) != 0;
    for (int terms = pick(depth > 0 ? 3 : pick(5) ? 4 : 10); terms > 0; --terms) {
        const QString op = any("+|-|*|/|^");
        text += (spaced ? ' ' + op + ' ' : op) + factor(depth);
    }
    return text;
}

// An expression with a character lost or one too many, as typing gives.
QString mistyped(QString text) {
    const int at = pick(int(text.size()) + 1);
    if (pick(2) && at < text.size()) return text.remove(at, 1);
    return text.insert(at, any("(|)|^|*|/|+|-| "));
}

QString noise() {
    static const QString letters = QStringLiteral(" ()*+-./0123456789ACDEGILNOPQRSTVX^ceinos");
    QString text;
    for (int n = pick(31); n > 0; --n)
        text += letters.at(pick(int(letters.size())));
    return text;
}

// Terms joined by operators until the text is `length` long.
QString chain(qsizetype length, const std::function<QString(int)>& term,
              const QStringList& operators) {
    QString text = term(0);
    for (int k = 1; text.size() < length; ++k)
        text += operators.at(pick(int(operators.size()))) + term(k);
    return text;
}

QString recorded(const QString& flags, const QString& expression) {
    const qint16 radians = flags.at(0) == QLatin1Char('r') ? 1 : 0;
    QString text = expression;
    qint16 erreur = -1;
    calcule(text, erreur, radians);
    if (text.size() > 300)
        text =
            "md5:" + QString::fromLatin1(
                         QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex());
    CalculatorKeys keys;
    keys.selectAngle(radians);
    keys.selectDisplay(flags.at(1) == QLatin1Char('s') ? 0 : 1);
    keys.append(expression);
    keys.exe();
    return QStringList{flags, expression, QString::number(erreur), text, keys.display()}.join('\t');
}

void print(const QString& flags, const QString& expression) {
    std::fputs((recorded(flags, expression) + '\n').toUtf8().constData(), stdout);
}

void randomRows(unsigned seed) {
    rng.seed(seed);
    for (int i = 0; i < 2600; ++i)
        print(flags(), pick(8) == 0 ? mistyped(expression(0)) : expression(0));
    for (int i = 0; i < 250; ++i)
        print(flags(), noise());
    const QString edges = QStringLiteral(
        "| |   |(|)|()|(())|cos|sin (30|(2 + 3|2 * |* 5|5 +|(2 + 3)) * (4 + 1|1 / 0|SQR -4|LOG "
        "0|invSIN 2|(-8) ^ (1 / 3)|1E308 * 10|1E999|-1E999|2 ^ 1024|exp "
        "710|((((((((((5))))))))))|sin cos tan 1|ln (2 + 3)|log (2 + 3)|5E+3 * 2|1D-2 + 1|+4|2--3");
    for (const QString& edge : edges.split(QLatin1Char('|'))) {
        print("dn", edge);
        print("rs", edge);
    }
    // Nested functions and groups, to the pass cap and past it.
    for (int depth : {10, 40, 60, 99, 100, 101, 150}) {
        print("dn", QStringLiteral("sin ").repeated(depth) + "30");
        print("rn", QString(depth, '(') + "1 + 2" + QString(depth, ')'));
        print("dn", QStringLiteral("sin (").repeated(depth) + '1' + QString(depth, ')'));
    }
    // Long texts, to the 16-bit limits of positions and counters.
    const char* const functions[] = {"sin",    "cos", "tan", "invSIN", "invCOS",
                                     "invTAN", "log", "ln",  "exp",    "SQR"};
    const auto term = [&](int k) {
        const QString argument = k % 10 >= 3 && k % 10 <= 5
                                     ? QStringLiteral(".%1").arg(k % 10)
                                     : QStringLiteral("%1.%2").arg(k % 7 + 1).arg(k % 10);
        return QStringLiteral("(%1 * 2.5 - 3 / 7) * %2 %3")
            .arg(k % 9 + 1)
            .arg(QLatin1String(functions[k % 10]), argument);
    };
    for (int length : {1000, 2500, 5000, 8000, 10000, 10900, 10950, 12000, 20000, 33000})
        print(any("dn|dn|rs"), chain(length, term, {" + ", " - ", " * ", " / "}));
    for (int length : {3000, 10920, 11000})
        print("dn",
              chain(length, [](int) { return QString::number(1 + pick(9)); }, {" + ", " - "}));
    const auto atom = [](int) { return any("||--|----") + any("1|2|(3)|((4))|sin30"); };
    for (int length : {5000, 10800})
        print("dn", chain(length, atom, {"+", "-", "*"}));
}
} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && qstrcmp(argv[1], "--replay") == 0) {
        QFile file(QString::fromLocal8Bit(argv[2]));
        if (!file.open(QIODevice::ReadOnly)) return 1;
        for (const QByteArray& row : file.readAll().split('\n')) {
            const QStringList fields = QString::fromUtf8(row).split('\t');
            if (fields.size() == 5) print(fields[0], fields[1]);
        }
        return 0;
    }
    bool ok = false;
    const unsigned seed = argc == 2 ? QByteArray(argv[1]).toUInt(&ok) : 0;
    if (!ok) {
        std::fputs("usage: evaluatorcases SEED | --replay FILE\n", stderr);
        return 2;
    }
    randomRows(seed);
    return 0;
}
