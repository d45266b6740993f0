#pragma once
// "Vérifier" beside the set-up's name, while the pupil may check the set-up of the open
// exercise: made the first time `check` is enabled, shown while it stays so, and given room by
// narrowing the name's box.

class QAction;
class QLabel;

namespace alambix {

void installCheckButton(QLabel* nameLabel, QAction* check);

// The name in its box at 12 points bold, or smaller when the box, narrowed for the button, is
// too short for it.
void fitName(QLabel* nameLabel);

} // namespace alambix
