#include "core/calculatorkeys.h"

#include "core/blanks.h"

#include "core/numberformat.h"

#include <QHash>

#include <cmath>

namespace alambix {

namespace {

// The memory outlives every calculator window of the run.
double s_memoire = 0.0;

bool blankOnly(const QString& text) {
    for (const QChar c : text)
        if (c != QLatin1Char(' ')) return false;
    return true;
}

QChar lastChar(const QString& text) {
    return text.isEmpty() ? QChar() : text.back();
}

using Action = std::function<void(CalculatorKeys&)>;

const QHash<QString, Action>& actions() {
    static const QHash<QString, Action> table = [] {
        QHash<QString, Action> t;
        const auto plain = [&t](const char* name, const char* text) {
            const QString appended = QString::fromLatin1(text);
            t.insert(QString::fromLatin1(name),
                     [appended](CalculatorKeys& k) { k.append(appended); });
        };
        const auto factor = [&t](const char* name, const QString& text) {
            t.insert(QString::fromLatin1(name), [text](CalculatorKeys& k) { k.startFactor(text); });
        };
        for (char d = '0'; d <= '9'; ++d) {
            const char name[] = {'B', d, 0};
            const char digit[] = {d, 0};
            plain(name, digit);
        }
        plain("Bpoint", ".");
        plain("bpf", ")");
        plain("BtoEXP", "E");
        plain("pico", "E-12");
        plain("nano", "E-9");
        plain("micro", "E-6");
        plain("mil", "E-3");
        plain("kilo", "E+3");
        plain("mega", "E+6");
        plain("giga", "E+9");
        plain("tera", "E+12");
        factor("Bpo", QStringLiteral("("));
        factor("bsin", QStringLiteral("sin "));
        factor("Bcos", QStringLiteral("cos "));
        factor("Btan", QStringLiteral("tan "));
        factor("invsin", QStringLiteral("invSIN "));
        factor("invcos", QStringLiteral("invCOS "));
        factor("Btoncommande3", QStringLiteral("invTAN "));
        factor("Blog", QStringLiteral("log "));
        factor("Bln", QStringLiteral("ln "));
        factor("Bexp", QStringLiteral("exp "));
        factor("racine", QStringLiteral("SQR "));
        factor("B10x", QStringLiteral("10 ^ "));
        factor("Command5", QStringLiteral("1 / "));
        factor("pi", trimBlanks(ecrirenombre(4 * std::atan(1.0))));
        t.insert(QStringLiteral("multip"), &CalculatorKeys::multip);
        t.insert(QStringLiteral("div"), &CalculatorKeys::div);
        t.insert(QStringLiteral("plus"), &CalculatorKeys::plus);
        t.insert(QStringLiteral("moins"), &CalculatorKeys::moins);
        t.insert(QStringLiteral("puissance"), &CalculatorKeys::puissance);
        t.insert(QStringLiteral("btcarre"), &CalculatorKeys::btcarre);
        t.insert(QStringLiteral("ANS"), &CalculatorKeys::ans);
        t.insert(QStringLiteral("EFFACE"), &CalculatorKeys::efface);
        t.insert(QStringLiteral("RAZ"), &CalculatorKeys::raz);
        t.insert(QStringLiteral("EXE"), &CalculatorKeys::exe);
        t.insert(QStringLiteral("Command1"), &CalculatorKeys::memoryAdd);
        t.insert(QStringLiteral("Command2"), &CalculatorKeys::memorySubtract);
        t.insert(QStringLiteral("Command3"), &CalculatorKeys::memoryRecall);
        t.insert(QStringLiteral("Command4"), &CalculatorKeys::memoryClear);
        t.insert(QStringLiteral("angle0"), [](CalculatorKeys& k) { k.selectAngle(0); });
        t.insert(QStringLiteral("angle1"), [](CalculatorKeys& k) { k.selectAngle(1); });
        t.insert(QStringLiteral("C0"), [](CalculatorKeys& k) { k.selectDisplay(0); });
        t.insert(QStringLiteral("C1"), [](CalculatorKeys& k) { k.selectDisplay(1); });
        return t;
    }();
    return table;
}

} // namespace

const QString CalculatorKeys::patience = QStringLiteral("    Patience... Calculs en cours.     ");
const QString CalculatorKeys::messageImpossible = QStringLiteral("Calcul impossible");
const QString CalculatorKeys::messageParentheses =
    QStringLiteral("Erreur saisie: revoir les parenthèses");
const QString CalculatorKeys::messageOperateurs =
    QStringLiteral("Erreur saisie: incompréhension sur opérateurs: ^ * / + -");
const QString CalculatorKeys::messageDepassement = QStringLiteral("Dépassement de capacité");

CalculatorKeys::CalculatorKeys() = default;

bool CalculatorKeys::press(const QString& name) {
    const auto& table = actions();
    const auto it = table.constFind(name);
    if (it == table.constEnd()) return false;
    it.value()(*this);
    return true;
}

bool CalculatorKeys::isKeyName(const QString& name) {
    return actions().contains(name);
}

QStringList CalculatorKeys::keyNames() {
    QStringList names = actions().keys();
    names.sort();
    return names;
}

QString CalculatorKeys::typedExpression(QString text) {
    return text.replace(QLatin1Char(','), QLatin1Char('.'));
}

bool CalculatorKeys::typeKey(char16_t keyAscii) {
    if (keyAscii >= u'0' && keyAscii <= u'9') {
        append(QString(QChar(keyAscii)));
        return true;
    }
    switch (keyAscii) {
    case u'.':
    case u',': // the decimal comma of a French keyboard types the decimal point
        append(QStringLiteral("."));
        return true;
    case u'd':
    case u'e':
    case u'D':
    case u'E':
        append(QStringLiteral("E"));
        return true;
    case 8:
        efface();
        return true;
    case 13:
        exe();
        return true;
    case u'(':
        startFactor(QStringLiteral("("));
        return true;
    case u')':
        append(QStringLiteral(")"));
        return true;
    case u'*':
        multip();
        return true;
    case u'+':
        plus();
        return true;
    case u'-':
        moins();
        return true;
    case u'/':
        div();
        return true;
    case u'^':
        puissance();
        return true;
    default:
        return false;
    }
}

double CalculatorKeys::memoire() {
    return s_memoire;
}

void CalculatorKeys::setMemoire(double value) {
    s_memoire = value;
}

void CalculatorKeys::show(const QString& text) {
    m_display = text;
    if (m_displayChanged) m_displayChanged(m_display);
}

bool CalculatorKeys::displayBlank() const {
    return blankOnly(m_display);
}

bool CalculatorKeys::ansStepNeeded() const {
    return blankOnly(m_saisie);
}

void CalculatorKeys::ansStep() {
    // The overflow message is no answer to paste back into an expression.
    if (m_erreur == CalculReussi && m_reponseIsNumber) m_saisie += trimBlanks(m_reponse);
}

void CalculatorKeys::append(const QString& text) {
    m_saisie += text;
    showSaisie();
}

void CalculatorKeys::startFactor(const QString& text) {
    const QChar last = lastChar(m_saisie);
    if (!m_saisie.isEmpty() && last != QLatin1Char('(') && last != QLatin1Char('-') &&
        last != QLatin1Char(' '))
        m_saisie += QStringLiteral(" * ");
    append(text);
}

void CalculatorKeys::multip() {
    if (displayBlank()) return;
    if (ansStepNeeded()) ansStep();
    append(QStringLiteral(" * "));
}

void CalculatorKeys::div() {
    if (displayBlank()) return;
    if (ansStepNeeded()) ansStep();
    append(QStringLiteral(" / "));
}

void CalculatorKeys::plus() {
    if (displayBlank()) return;
    if (ansStepNeeded()) ansStep();
    append(lastChar(m_saisie) == QLatin1Char('E') ? QStringLiteral("+") : QStringLiteral(" + "));
}

void CalculatorKeys::moins() {
    const QChar last = lastChar(m_saisie);
    if (last == QLatin1Char('(') || last == QLatin1Char(' ') || last == QLatin1Char('E'))
        append(QStringLiteral("-"));
    else if (last == QLatin1Char('-'))
        append(QStringLiteral(" -"));
    else if (m_saisie.isEmpty())
        append(QStringLiteral("-"));
    else
        append(QStringLiteral(" - "));
}

void CalculatorKeys::puissance() {
    if (ansStepNeeded()) ansStep();
    append(QStringLiteral(" ^ "));
}

void CalculatorKeys::btcarre() {
    if (ansStepNeeded()) ansStep();
    append(QStringLiteral(" ^ 2"));
}

void CalculatorKeys::ans() {
    ansStep();
    showSaisie();
}

void CalculatorKeys::efface() {
    const qsizetype n = m_saisie.size();
    if (n > 0) {
        const QChar last = m_saisie.at(n - 1);
        const QChar before = n >= 2 ? m_saisie.at(n - 2) : QChar();
        if (last != QLatin1Char(' ')) {
            m_saisie.chop(1);
        } else if (QStringView(u"*+/-^").contains(before) && !before.isNull()) {
            // An operator with its blanks.
            m_saisie.chop(std::min<qsizetype>(3, n));
        } else {
            // A function word such as "cos " or "invSIN ".
            qsizetype i = 1;
            while (i < n && m_saisie.at(n - i - 1) != QLatin1Char(' ') &&
                   m_saisie.at(n - i - 1) != QLatin1Char('('))
                ++i;
            m_saisie.truncate(n - i);
        }
    }
    showSaisie();
}

void CalculatorKeys::raz() {
    m_saisie.clear();
    showSaisie();
}

QString CalculatorKeys::formatResult(double value) const {
    return m_scientific ? formatScientifique(value) : ecrirenombre(value);
}

void CalculatorKeys::overflow() {
    show(messageDepassement);
    if (m_beep) m_beep();
}

void CalculatorKeys::exe() {
    m_erreur = CalculReussi;
    QString working = m_saisie;
    const QString typed = m_saisie;
    m_saisie = patience;
    showSaisie();
    const DisplayText source =
        m_displaySource ? m_displaySource : DisplayText([this] { return m_display; });
    m_erreur = Evaluateur(source).calcule(working, m_radians ? 1 : 0);
    bool beep = false;
    m_reponseIsNumber = true;
    if (m_erreur == CalculReussi) {
        const std::optional<double> value = lirenombre(working);
        if (value) {
            m_saisie = formatResult(*value);
        } else {
            m_saisie = messageDepassement;
            m_reponseIsNumber = false;
            beep = true;
        }
    } else {
        static const QString messages[] = {messageImpossible, messageParentheses,
                                           messageOperateurs};
        m_saisie = messages[std::clamp<int>(m_erreur, 1, 3) - 1];
        beep = true;
    }
    if (beep && m_beep) m_beep();
    showSaisie();
    m_reponse = m_saisie;
    m_saisie.clear();
    if (m_erreur != CalculReussi) m_saisie = typed;
}

void CalculatorKeys::selectAngle(int index) {
    m_radians = index == 1;
}

void CalculatorKeys::selectDisplay(int index) {
    m_scientific = index == 0;
    if (!m_saisie.isEmpty()) return;
    const std::optional<double> value = lirenombre(m_reponse);
    if (!value) {
        overflow();
        return;
    }
    show(formatResult(*value));
}

void CalculatorKeys::memoryChange(double sign) {
    // A display beyond the double range, or a memory that would overflow, leaves the memory as
    // it was and says so.
    const std::optional<double> value = lirenombre(m_display);
    if (!value) {
        overflow();
        return;
    }
    const double sum = s_memoire + sign * *value;
    if (!std::isfinite(sum)) {
        overflow();
        return;
    }
    s_memoire = sum;
}

void CalculatorKeys::memoryAdd() {
    memoryChange(1.0);
}

void CalculatorKeys::memorySubtract() {
    memoryChange(-1.0);
}

void CalculatorKeys::memoryRecall() {
    append(m_scientific ? formatScientifique(s_memoire) : trimBlanks(ecrirenombre(s_memoire)));
}

void CalculatorKeys::memoryClear() {
    s_memoire = 0.0;
}

} // namespace alambix
