#pragma once
// What the keys of the calculator do, without a window: the typed expression `saisie`, the last
// answer `reponse`, the error code `erreur`, the display text and the memory. The calculator
// window and `alambix-cli calc --keys` both drive it by control name.
#include "core/evaluator.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace alambix {

class CalculatorKeys {
public:
    // Shown while an evaluation runs.
    static const QString patience;
    static const QString messageImpossible;
    static const QString messageParentheses;
    static const QString messageOperateurs;
    static const QString messageDepassement;

    // A freshly loaded calculator: nothing typed, "Degrés" and "Standard" selected.
    CalculatorKeys();

    // Presses the control called `name` (`B7`, `plus`, `EXE`, `angle1`, `C0`...). Returns false,
    // doing nothing, for a name that is no key.
    bool press(const QString& name);
    static bool isKeyName(const QString& name);
    static QStringList keyNames();

    // A key typed on the keyboard: its character, or 8 for Backspace and 13 for Enter. Returns
    // false for a key that does nothing. A comma types the decimal point.
    bool typeKey(char16_t keyAscii);
    // An expression written as text (`alambix-cli calc`), with its commas read as typing them
    // would: each one a decimal point.
    static QString typedExpression(QString text);

    const QString& saisie() const { return m_saisie; }
    const QString& reponse() const { return m_reponse; }
    qint16 erreur() const { return m_erreur; }
    // What the display box shows.
    const QString& display() const { return m_display; }
    bool radians() const { return m_radians; }
    bool scientific() const { return m_scientific; }

    // The memory lives as long as the program, across openings of the calculator.
    static double memoire();
    static void setMemoire(double value);

    // Called for each beep of the calculator.
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }
    // Called whenever the display text changes, so that a window can show it at once (the
    // waiting text must be visible while an evaluation runs).
    void setDisplayChanged(std::function<void(const QString&)> changed) {
        m_displayChanged = std::move(changed);
    }
    // Where the evaluator reads the display while it works; by default the display text above.
    void setDisplaySource(DisplayText source) { m_displaySource = std::move(source); }

    // The keys, for callers that prefer them to names.
    void append(const QString& text);      // plain keys: digits, ".", ")", "E", unit prefixes
    void startFactor(const QString& text); // keys that start a factor: "(", functions, π...
    void multip();
    void div();
    void plus();
    void moins();
    void puissance();
    void btcarre();
    void ans();
    void efface();
    void raz();
    void exe();
    void selectAngle(int index);   // 0 "Degrés", 1 "Radians"
    void selectDisplay(int index); // 0 "Scientifique", 1 "Standard"
    void memoryAdd();              // M+
    void memorySubtract();         // M-
    void memoryRecall();           // RM
    void memoryClear();            // CM

    // The result formats of the display.
    QString formatResult(double value) const;

private:
    void show(const QString& text);
    void showSaisie() { show(m_saisie); }
    bool displayBlank() const;
    bool ansStepNeeded() const;
    void ansStep();
    void overflow();
    void memoryChange(double sign);

    QString m_saisie;
    QString m_reponse;
    QString m_display;
    qint16 m_erreur = CalculReussi;
    bool m_reponseIsNumber = true;
    bool m_radians = false;
    bool m_scientific = false;
    std::function<void()> m_beep;
    std::function<void(const QString&)> m_displayChanged;
    DisplayText m_displaySource;
};

} // namespace alambix
