#include "assets/assets.h"

#include <QtGlobal>

static void registerAssets() {
    Q_INIT_RESOURCE(assets);
}

namespace alambix {

void loadAssets() {
    static const bool registered = (registerAssets(), true);
    Q_UNUSED(registered);
}

} // namespace alambix
