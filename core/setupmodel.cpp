#include "core/setupmodel.h"

namespace alambix {

SetupModel::SetupModel(QObject* parent) : QObject(parent) {
    m_enabled.fill(true);
    // The first redraw at start-up already greys the dependent elements.
    applyAvailability();
}

void SetupModel::setValue(int index, bool on) {
    auto& slot = m_values.at(static_cast<std::size_t>(index));
    if (slot == on) return;
    if (m_depth == 0 && !m_clearing) m_switchOffs.clear();
    slot = on;
    ++m_depth;
    handleChange(index);
    applyAvailability();
    --m_depth;
    if (m_depth == 0) emit changed();
}

bool SetupModel::click(int index) {
    if (!isEnabled(index)) return false;
    setValue(index, !value(index));
    return true;
}

void SetupModel::clearAll() {
    m_switchOffs.clear();
    m_clearing = true;
    for (int i = 0; i < ElementCount; ++i)
        setValue(i, false);
    m_clearing = false;
}

void SetupModel::switchOff(int index, SwitchOffRule rule, int cause) {
    if (!value(index)) return;
    m_switchOffs.push_back({index, rule, cause});
    setValue(index, false);
}

void SetupModel::setEnabled(int index, bool enabled) {
    m_enabled.at(static_cast<std::size_t>(index)) = enabled;
}

// Coupling rules: run after every change of element `index`; they only ever switch off.
void SetupModel::handleChange(int index) {
    using R = SwitchOffRule;
    const bool on = value(index);
    if (!on) return;
    if (index <= Erlenmeyer) {
        for (int k = VerreAPied; k <= Erlenmeyer; ++k)
            if (k != index) switchOff(k, R::OneReceiver, index);
        switchOff(FioleAVide, R::ReceiverNotOnVacuum, index);
    }
    if (index == Ballon) switchOff(FioleAVide, R::FlaskNotOnVacuum, index);
    if (index == FioleAVide) {
        for (int k = VerreAPied; k <= Erlenmeyer; ++k)
            switchOff(k, R::VacuumTakesReceiver, index);
        switchOff(Ballon, R::VacuumNoHeating, index);
        switchOff(RefrigerantABoules, R::VacuumNoHeating, index);
        switchOff(RefrigerantDroit, R::VacuumNoHeating, index);
    }
    if (index >= Entonnoir && index <= RefrigerantDroit) {
        for (int k = Entonnoir; k <= RefrigerantDroit; ++k)
            if (k != index) switchOff(k, R::OneUpperPiece, index);
        if (index != RefrigerantDroit) switchOff(ColonneDeVigreux, R::UpperPieceNotOnColumn, index);
    }
    if ((index == RefrigerantABoules || index == RefrigerantDroit) && value(index))
        switchOff(FioleAVide, R::CondenserNotOnVacuum, index);
    if (index == ColonneDeVigreux && value(index))
        for (int k = Entonnoir; k <= RefrigerantABoules; ++k)
            switchOff(k, R::ColumnTakesCondenser, index);
}

// Availability rules, in the order the redraw meets elements 1, 4 and 10.
void SetupModel::applyAvailability() {
    using R = SwitchOffRule;
    // The plate needs the beaker, the lid needs the plate.
    if (value(Becher)) {
        setEnabled(PlaqueChromato, true);
        if (value(PlaqueChromato)) {
            setEnabled(Couvercle, true);
        } else {
            switchOff(Couvercle, R::LidNeedsPlate, PlaqueChromato);
            setEnabled(Couvercle, false);
        }
    } else {
        switchOff(PlaqueChromato, R::PlateNeedsBeaker, Becher);
        setEnabled(PlaqueChromato, false);
        switchOff(Couvercle, R::LidNeedsPlate, PlaqueChromato);
        setEnabled(Couvercle, false);
    }
    // The Büchner needs the vacuum flask.
    if (value(FioleAVide)) {
        setEnabled(Buchner, true);
    } else {
        setEnabled(Buchner, false);
        switchOff(Buchner, R::BuchnerNeedsVacuum, FioleAVide);
    }
    // The thermometer needs the Vigreux column.
    if (value(ColonneDeVigreux)) {
        setEnabled(Thermometre, true);
    } else {
        switchOff(Thermometre, R::ThermometerNeedsColumn, ColonneDeVigreux);
        setEnabled(Thermometre, false);
    }
}

} // namespace alambix
