#include "core/recognition.h"

#include <initializer_list>

namespace alambix {

namespace {
// Every element of [first, ElementCount) that is not in `allowed` is off.
bool onlyAmong(const SetupValues& v, std::initializer_list<int> allowed, int first) {
    for (int k = first; k < ElementCount; ++k) {
        bool isAllowed = false;
        for (int a : allowed)
            isAllowed = isAllowed || a == k;
        if (!isAllowed && v[static_cast<std::size_t>(k)]) return false;
    }
    return true;
}
} // namespace

QString recogniseSetup(const SetupValues& v) {
    auto on = [&v](int k) { return v[static_cast<std::size_t>(k)]; };
    const bool receiver = on(VerreAPied) || on(Becher) || on(Erlenmeyer);
    // The first selecting test that holds decides; no other row is tried.
    if (on(Couvercle))
        return on(Becher) && onlyAmong(v, {Becher, PlaqueChromato, Couvercle}, 0)
                   ? QStringLiteral("Chromatographie sur couche mince")
                   : QString();
    if (on(Entonnoir))
        return receiver && onlyAmong(v, {Entonnoir}, 3) ? QStringLiteral("Filtration") : QString();
    if (on(FioleAVide))
        return on(Buchner) && onlyAmong(v, {FioleAVide, Buchner}, 3)
                   ? QStringLiteral("Filtration sous vide")
                   : QString();
    if (on(AmpouleADecanter))
        return receiver && onlyAmong(v, {AmpouleADecanter}, 3) ? QStringLiteral("Décantation")
                                                               : QString();
    if (on(Ballon) && on(RefrigerantDroit) && on(ColonneDeVigreux) && on(Thermometre))
        return receiver && !on(PlaqueChromato) ? QStringLiteral("Distillation") : QString();
    if (on(Ballon) && on(RefrigerantDroit) && !on(ColonneDeVigreux))
        return receiver && !on(PlaqueChromato) ? QStringLiteral("Entraînement à la vapeur")
                                               : QString();
    if (on(Ballon) && on(RefrigerantABoules))
        return onlyAmong(v, {Ballon, RefrigerantABoules}, 0) ? QStringLiteral("Chauffage à reflux")
                                                             : QString();
    return QString();
}

} // namespace alambix
