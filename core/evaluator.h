#pragma once
// The calculator's expression evaluator. It works by rewriting the expression text: normalise,
// check, apply the functions, reduce the parenthesis groups, then the two-operand operators, each
// step replacing a piece of text by the text of its result until a single number is left.
#include <QString>

#include <functional>

namespace alambix {

// Error codes of an evaluation.
enum : qint16 {
    CalculReussi = 0,      // the expression holds the result
    CalculImpossible = 1,  // any failure during the evaluation
    ErreurParentheses = 2, // unequal numbers of "(" and ")"
    ErreurOperateurs = 3,  // "*", "/" or "^" not followed by an operand
};

// Text of the display the evaluator watches while it works: when it becomes empty the operator
// reduction stops. An empty function stands for a display that always shows something.
using DisplayText = std::function<QString()>;

// One evaluation with its three shared counters. The steps are public so that each can be
// exercised alone; the ones returning bool report a run-time failure (overflow, division by
// zero, invalid argument, text position out of range) as false, leaving the text as it was at
// that moment.
class Evaluateur {
public:
    explicit Evaluateur(DisplayText z1Text = {});

    // Rewrites `expression` into the text of its result and returns the error code.
    // `radians` is 1 for radians, 0 for degrees.
    qint16 calcule(QString& expression, qint16 radians);

    bool nettoie(QString& text);
    bool espace(QString& text);
    // Sets `erreur` to 3 or 2 when the text is malformed, leaves it alone otherwise.
    void verifie(const QString& text, qint16& erreur) const;
    bool compte(const QString& text);
    bool fonctions(QString& text, qint16 radians);
    bool parentheses(QString& text);
    bool operations(QString& text);

    qint16 nbpar() const { return m_nbpar; }
    qint16 nbop() const { return m_nbop; }
    qint16 nbfonc() const { return m_nbfonc; }
    void setCounters(qint16 nbpar, qint16 nbop, qint16 nbfonc);

private:
    friend struct EvaluateurSteps;
    DisplayText m_z1Text;
    qint16 m_nbpar = 0;
    qint16 m_nbop = 0;
    qint16 m_nbfonc = 0;
};

// Convenience entry with the calling convention of the keypad: sets `erreur`.
void calcule(QString& expression, qint16& erreur, qint16 radians, const DisplayText& z1Text = {});

} // namespace alambix
