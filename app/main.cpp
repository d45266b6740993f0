// Alambix: draw the glassware set-ups of the chemistry class.
#include "app/feuillep_window.h"
#include "app/frenchtranslations.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Alambix"));
    QApplication::setStyle(QStringLiteral("Fusion"));
    alambix::installFrenchTranslations(app);
    alambix::FeuilleP window;
    window.show();
    return app.exec();
}
