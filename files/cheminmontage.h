#pragma once
// `cheminmontage`: full path of the current set-up file, empty when the set-up has none.
// One value for the whole program: the open and save dialogs, the exercise window and
// "&Nouveau" share it. Empty at start.

#include <QString>

namespace alambix {

extern QString cheminmontage;

} // namespace alambix
