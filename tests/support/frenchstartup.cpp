// Linked into every window test: the windows under test speak French as in the program.
#include "windows/common/frenchtranslations.h"

#include <QCoreApplication>

namespace {
void installFrench() {
    alambix::installFrenchTranslations(*QCoreApplication::instance());
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(installFrench)
