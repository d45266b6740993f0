#include "core/elements.h"

namespace alambix {

namespace {
struct ElementInfo {
    const char* caption; // UTF-8
    int topTwips;
};

constexpr std::array<ElementInfo, ElementCount> catalogue{{
    {"Verre à pied", 7665},
    {"Bécher", 1890},
    {"Erlenmeyer", 4515},
    {"Ballon et chauffe ballon", 1365},
    {"Fiole à vide", 5040},
    {"Entonnoir et papier filtre", 3990},
    {"Büchner", 2415},
    {"Ampoule à décanter", 840},
    {"Réfrigérant à boules", 6090},
    {"Réfrigérant droit", 6615},
    {"Colonne de Vigreux", 2940},
    {"Thermomètre", 7140},
    {"Plaque chromato.", 5565},
    {"Couvercle", 3465},
}};
} // namespace

QString elementCaption(int index) {
    return QString::fromUtf8(catalogue.at(static_cast<std::size_t>(index)).caption);
}

int elementButtonTopTwips(int index) {
    return catalogue.at(static_cast<std::size_t>(index)).topTwips;
}

QString setupText(const SetupValues& values) {
    QString text;
    text.reserve(ElementCount);
    for (bool on : values)
        text += on ? QLatin1Char('1') : QLatin1Char('0');
    return text;
}

} // namespace alambix
