#pragma once
// What a rule of the set-up switched off, and why: the model records these for the last change.

namespace alambix {

// One entry per rule that can switch an element off.
enum class SwitchOffRule : int {
    OneReceiver,            // a receiver goes on: the other receivers go
    ReceiverNotOnVacuum,    // a receiver goes on: the vacuum flask goes
    FlaskNotOnVacuum,       // the flask goes on: the vacuum flask goes
    VacuumTakesReceiver,    // the vacuum flask goes on: the receivers go
    VacuumNoHeating,        // the vacuum flask goes on: the flask and the two condensers go
    OneUpperPiece,          // an upper piece goes on: the other upper pieces go
    UpperPieceNotOnColumn,  // an upper piece other than the straight condenser goes on: the column
                            // goes
    CondenserNotOnVacuum,   // a condenser goes on: the vacuum flask goes
    ColumnTakesCondenser,   // the column goes on: the pieces 5 to 8 go
    PlateNeedsBeaker,       // the beaker is off: the plate goes
    LidNeedsPlate,          // the plate is off: the lid goes
    BuchnerNeedsVacuum,     // the vacuum flask is off: the Büchner goes
    ThermometerNeedsColumn, // the column is off: the thermometer goes
};

struct SwitchOff {
    int element;        // the element switched off
    SwitchOffRule rule; // the rule that did it
    int cause;          // the element whose state set the rule off
    bool operator==(const SwitchOff&) const = default;
};

} // namespace alambix
