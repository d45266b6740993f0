#include "files/cheminmontage.h"

namespace alambix {

QString cheminmontage;

} // namespace alambix
