#include "app/setupmodel.h"

namespace alambix {

SetupModel::SetupModel(QObject* parent) : QObject(parent) {
    m_enabled.fill(true);
    // The first redraw at start-up already greys the dependent elements.
    applyAvailability();
}

bool SetupModel::anyOn() const {
    for (bool on : m_values)
        if (on) return true;
    return false;
}

void SetupModel::setValue(int index, bool on) {
    auto& slot = m_values.at(static_cast<std::size_t>(index));
    if (slot == on) return;
    slot = on;
    ++m_depth;
    handleChange(index);
    applyAvailability();
    --m_depth;
    if (m_depth == 0) {
        ++m_redrawCount;
        emit changed();
    }
}

bool SetupModel::click(int index) {
    if (!isEnabled(index)) return false;
    setValue(index, !value(index));
    return true;
}

void SetupModel::clearAll() {
    for (int i = 0; i < ElementCount; ++i)
        setValue(i, false);
}

void SetupModel::switchOff(int index) {
    setValue(index, false);
}

void SetupModel::setEnabled(int index, bool enabled) {
    m_enabled.at(static_cast<std::size_t>(index)) = enabled;
}

// Coupling rules: run after every change of element `index`; they only ever switch off.
void SetupModel::handleChange(int index) {
    const bool on = value(index);
    if (!on) return;
    if (index <= Erlenmeyer) {
        for (int k = VerreAPied; k <= Erlenmeyer; ++k)
            if (k != index) switchOff(k);
        switchOff(FioleAVide);
    }
    if (index == Ballon) switchOff(FioleAVide);
    if (index == FioleAVide) {
        for (int k = VerreAPied; k <= Ballon; ++k)
            switchOff(k);
        switchOff(RefrigerantABoules);
        switchOff(RefrigerantDroit);
    }
    if (index >= Entonnoir && index <= RefrigerantDroit) {
        for (int k = Entonnoir; k <= RefrigerantDroit; ++k)
            if (k != index) switchOff(k);
        if (index != RefrigerantDroit) switchOff(ColonneDeVigreux);
    }
    if ((index == RefrigerantABoules || index == RefrigerantDroit) && value(index))
        switchOff(FioleAVide);
    if (index == ColonneDeVigreux && value(index))
        for (int k = Entonnoir; k <= RefrigerantABoules; ++k)
            switchOff(k);
}

// Availability rules, in the order the redraw meets elements 1, 4 and 10.
void SetupModel::applyAvailability() {
    // The plate needs the beaker, the lid needs the plate.
    if (value(Becher)) {
        setEnabled(PlaqueChromato, true);
        if (value(PlaqueChromato)) {
            setEnabled(Couvercle, true);
        } else {
            switchOff(Couvercle);
            setEnabled(Couvercle, false);
        }
    } else {
        switchOff(PlaqueChromato);
        setEnabled(PlaqueChromato, false);
        switchOff(Couvercle);
        setEnabled(Couvercle, false);
    }
    // The Büchner needs the vacuum flask.
    if (value(FioleAVide)) {
        setEnabled(Buchner, true);
    } else {
        setEnabled(Buchner, false);
        switchOff(Buchner);
    }
    // The thermometer needs the Vigreux column.
    if (value(ColonneDeVigreux)) {
        setEnabled(Thermometre, true);
    } else {
        switchOff(Thermometre);
        setEnabled(Thermometre, false);
    }
}

} // namespace alambix
