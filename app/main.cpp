// Alambix: draw the glassware set-ups of the chemistry class.
#include "app/feuillep_window.h"
#include "app/program.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    alambix::configureApplication(app);
    alambix::FeuilleP window;
    window.show();
    return app.exec();
}
