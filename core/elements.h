#pragma once
// The catalogue of the fourteen apparatus elements and the set-up they form.

#include <QString>

#include <array>

namespace alambix {

constexpr int ElementCount = 14;

// The set-up: one value per element, element index 0 first.
using SetupValues = std::array<bool, ElementCount>;

// Element indices, as stored in set-up files and used by every loop.
enum Element : int {
    VerreAPied = 0,
    Becher = 1,
    Erlenmeyer = 2,
    Ballon = 3,
    FioleAVide = 4,
    Entonnoir = 5,
    Buchner = 6,
    AmpouleADecanter = 7,
    RefrigerantABoules = 8,
    RefrigerantDroit = 9,
    ColonneDeVigreux = 10,
    Thermometre = 11,
    PlaqueChromato = 12,
    Couvercle = 13,
};

// Caption of element button `index`.
QString elementCaption(int index);

// Top of element button `index` in twips; the buttons stand in alphabetical order on screen.
int elementButtonTopTwips(int index);

// "0"/"1" per element, element 0 first (the form used by set-up files and the command line).
QString setupText(const SetupValues& values);

} // namespace alambix
