#pragma once
// Qt's own texts in French: the standard buttons ("Oui", "Non", "Annuler"), the printer dialog,
// the context menus of the text fields.

class QCoreApplication;

namespace alambix {

// Loads Qt's French catalogue from the folder of Qt's translations and installs it on `app`.
// False when the catalogue is missing: the program then runs with Qt's English texts.
bool installFrenchTranslations(QCoreApplication& app);

} // namespace alambix
