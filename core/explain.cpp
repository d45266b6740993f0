#include "core/explain.h"

#include "core/recognition.h"
#include "core/setupmodel.h"

#include <QStringList>

#include <algorithm>
#include <cstdint>

namespace alambix {

namespace {
struct SentenceName {
    const char* name; // UTF-8, with its article, as the element is named in a sentence
    bool feminine;
};

constexpr std::array<SentenceName, ElementCount> sentenceNames{{
    {"le Verre à pied", false},
    {"le Bécher", false},
    {"l'Erlenmeyer", false},
    {"le Ballon et chauffe ballon", false},
    {"la Fiole à vide", true},
    {"l'Entonnoir et papier filtre", false},
    {"le Büchner", false},
    {"l'Ampoule à décanter", true},
    {"le Réfrigérant à boules", false},
    {"le Réfrigérant droit", false},
    {"la Colonne de Vigreux", true},
    {"le Thermomètre", false},
    {"la Plaque chromato.", true},
    {"le Couvercle", false},
}};

QString the(int element) {
    return QString::fromUtf8(sentenceNames.at(static_cast<std::size_t>(element)).name);
}

QString capitalised(QString text) {
    if (!text.isEmpty()) text[0] = text[0].toUpper();
    return text;
}

// "le Bécher a été retiré.", "la Fiole à vide a été retirée."
QString removed(int element) {
    const bool feminine = sentenceNames.at(static_cast<std::size_t>(element)).feminine;
    return the(element) +
           (feminine ? QStringLiteral(" a été retirée.") : QStringLiteral(" a été retiré."));
}

// Why each of the four dependent elements needs the one it rests on.
QString dependencyReason(int element) {
    switch (element) {
    case Buchner:
        return QStringLiteral("Le Büchner se pose sur la fiole à vide");
    case Thermometre:
        return QStringLiteral("Le thermomètre se place en haut de la colonne de Vigreux");
    case PlaqueChromato:
        return QStringLiteral("La plaque de chromatographie se développe dans le bécher");
    case Couvercle:
        return QStringLiteral("Le couvercle ferme le bécher pendant que la plaque se développe");
    default:
        return QString();
    }
}

using StateBits = std::uint16_t;

StateBits bits(const SetupValues& values) {
    StateBits state = 0;
    for (int k = 0; k < ElementCount; ++k)
        if (values[static_cast<std::size_t>(k)]) state |= StateBits(1u << k);
    return state;
}

SetupValues valuesOf(StateBits state) {
    SetupValues values{};
    for (int k = 0; k < ElementCount; ++k)
        values[static_cast<std::size_t>(k)] = (state >> k) & 1u;
    return values;
}

// A settled set-up set again in index order comes back unchanged: the exclusions the rules
// keep are symmetric and every dependent element comes after the one it rests on.
void load(SetupModel& model, const SetupValues& values) {
    for (int k = 0; k < ElementCount; ++k)
        model.setValue(k, values[static_cast<std::size_t>(k)]);
}

QString withArticle(const QString& setupName) {
    const bool masculine =
        setupName.startsWith(QLatin1String("Chauffage"), Qt::CaseInsensitive) ||
        setupName.startsWith(QStringLiteral("Entraînement"), Qt::CaseInsensitive);
    return (masculine ? QStringLiteral("un ") : QStringLiteral("une ")) + setupName;
}

int receiverOn(const SetupValues& values) {
    for (int k = VerreAPied; k <= Erlenmeyer; ++k)
        if (values[static_cast<std::size_t>(k)]) return k;
    return -1;
}
} // namespace

SetupRole roleOf(int element) {
    switch (element) {
    case VerreAPied:
    case Becher:
    case Erlenmeyer:
    case FioleAVide: // it takes the filtrate
        return SetupRole::Receiver;
    case Ballon:
        return SetupRole::Heating;
    case ColonneDeVigreux:
        return SetupRole::Column;
    case Thermometre:
        return SetupRole::Thermometer;
    case PlaqueChromato:
    case Couvercle:
        return SetupRole::Chromatography;
    default:
        return SetupRole::UpperPiece;
    }
}

QString roleText(SetupRole role) {
    switch (role) {
    case SetupRole::Receiver:
        return QStringLiteral("le récipient qui recueille le produit");
    case SetupRole::UpperPiece:
        return QStringLiteral("la pièce montée au-dessus du récipient ou du ballon");
    case SetupRole::Heating:
        return QStringLiteral("le chauffage");
    case SetupRole::Column:
        return QStringLiteral("la colonne de fractionnement");
    case SetupRole::Thermometer:
        return QStringLiteral("la mesure de la température des vapeurs");
    case SetupRole::Chromatography:
        return QStringLiteral("la chromatographie");
    }
    return QString();
}

QString elementInSentence(int element) {
    return the(element);
}

QString setupNameInSentence(const QString& name) {
    return withArticle(name.left(1).toLower() + name.mid(1));
}

QString switchOffReason(const SwitchOff& s) {
    using R = SwitchOffRule;
    switch (s.rule) {
    case R::OneReceiver:
        return QStringLiteral("Un seul récipient recueille le produit : ") + removed(s.element);
    case R::ReceiverNotOnVacuum:
        return capitalised(the(s.cause)) +
               QStringLiteral(" recueille le produit à la place de la fiole à vide : ") +
               removed(s.element);
    case R::FlaskNotOnVacuum:
        return QStringLiteral("Un ballon chauffé ne se monte pas sur la fiole à vide, qui sert à "
                              "filtrer sous vide : ") +
               removed(s.element);
    case R::VacuumTakesReceiver:
        return QStringLiteral("La fiole à vide recueille le filtrat : ") + removed(s.element);
    case R::VacuumNoHeating:
        return QStringLiteral(
                   "La fiole à vide reçoit le filtrat : le ballon et les réfrigérants ne "
                   "s'y montent pas. ") +
               capitalised(removed(s.element));
    case R::OneUpperPiece:
        return QStringLiteral("Une seule pièce se monte au-dessus du récipient ou du ballon : ") +
               removed(s.element);
    case R::UpperPieceNotOnColumn:
        return capitalised(the(s.cause)) +
               QStringLiteral(" ne se monte pas sur la colonne de Vigreux, qui ne porte que le "
                              "réfrigérant droit : ") +
               removed(s.element);
    case R::CondenserNotOnVacuum:
        return capitalised(the(s.cause)) +
               QStringLiteral(" condense les vapeurs d'un ballon chauffé : il ne se monte pas sur "
                              "la fiole à vide. ") +
               capitalised(removed(s.element));
    case R::ColumnTakesCondenser:
        return QStringLiteral("La colonne de Vigreux ne porte que le réfrigérant droit : ") +
               removed(s.element);
    case R::PlateNeedsBeaker:
    case R::LidNeedsPlate:
    case R::BuchnerNeedsVacuum:
    case R::ThermometerNeedsColumn:
        return dependencyReason(s.element) + QStringLiteral(" : sans ") + the(s.cause) +
               QStringLiteral(", ") + removed(s.element);
    }
    return QString();
}

QString switchOffReasons(const std::vector<SwitchOff>& switchOffs) {
    QStringList lines;
    for (const SwitchOff& s : switchOffs) {
        const QString line = switchOffReason(s);
        if (!lines.contains(line)) lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

QString greyedReason(int element, const SetupValues& v) {
    auto on = [&v](int k) { return v[static_cast<std::size_t>(k)]; };
    QString first;
    if (element == Buchner && !on(FioleAVide))
        first = the(FioleAVide);
    else if (element == Thermometre && !on(ColonneDeVigreux))
        first = the(ColonneDeVigreux);
    else if (element == PlaqueChromato && !on(Becher))
        first = the(Becher);
    else if (element == Couvercle && !on(Becher))
        first = the(Becher) + QStringLiteral(", puis ") + the(PlaqueChromato);
    else if (element == Couvercle && !on(PlaqueChromato))
        first = the(PlaqueChromato);
    if (first.isEmpty()) return QString();
    QString text = dependencyReason(element) + QStringLiteral(" : ajouter d'abord ") + first;
    if (!text.endsWith(QLatin1Char('.'))) text += QLatin1Char('.');
    return text;
}

SetupValues afterClicks(const SetupValues& values, const std::vector<int>& clicks) {
    SetupModel model;
    load(model, values);
    for (int k : clicks)
        model.click(k);
    return model.values();
}

std::vector<SetupValues> reachableSetups(const SetupValues& values) {
    std::vector<bool> seen(std::size_t(1) << ElementCount, false);
    std::vector<SetupValues> reached{values};
    seen[bits(values)] = true;
    for (std::size_t next = 0; next < reached.size(); ++next) {
        for (int k = 0; k < ElementCount; ++k) {
            SetupModel model;
            load(model, reached[next]);
            if (!model.click(k) || seen[bits(model.values())]) continue;
            seen[bits(model.values())] = true;
            reached.push_back(model.values());
        }
    }
    return reached;
}

std::vector<NearestSetup> nearestSetups(const SetupValues& values) {
    const QString ownName = recogniseSetup(values);
    if (!ownName.isEmpty()) return {{ownName, {}}};

    // Breadth-first over the set-ups the clicks reach; at most 2^14 of them.
    constexpr int Unseen = -1;
    std::vector<int> parent(std::size_t(1) << ElementCount, Unseen);
    std::vector<signed char> clickFrom(parent.size(), -1);
    const StateBits start = bits(values);
    parent[start] = start;
    std::vector<StateBits> frontier{start};
    while (!frontier.empty()) {
        std::vector<StateBits> next;
        std::vector<NearestSetup> found;
        for (StateBits state : frontier) {
            for (int k = 0; k < ElementCount; ++k) {
                SetupModel model;
                load(model, valuesOf(state));
                if (!model.click(k)) continue;
                const StateBits reached = bits(model.values());
                if (parent[reached] != Unseen) continue;
                parent[reached] = state;
                clickFrom[reached] = static_cast<signed char>(k);
                next.push_back(reached);
                const QString name = recogniseSetup(model.values());
                if (name.isEmpty() ||
                    std::any_of(found.begin(), found.end(),
                                [&name](const NearestSetup& n) { return n.name == name; }))
                    continue;
                std::vector<int> clicks;
                for (StateBits s = reached; s != start; s = StateBits(parent[s]))
                    clicks.push_back(clickFrom[s]);
                std::reverse(clicks.begin(), clicks.end());
                found.push_back({name, clicks});
            }
        }
        if (!found.empty()) return found;
        frontier = std::move(next);
    }
    return {};
}

QString describeClicks(const SetupValues& values, const std::vector<int>& clicks) {
    // The verb is said again only when it changes: "ajouter A, puis B, puis retirer C".
    QStringList parts;
    SetupValues state = values;
    bool lastAdds = false;
    for (int k : clicks) {
        const bool adds = !state[static_cast<std::size_t>(k)];
        QString part = elementCaption(k);
        if (parts.isEmpty() || adds != lastAdds)
            part = (adds ? QStringLiteral("ajouter ") : QStringLiteral("retirer ")) + part;
        parts << part;
        lastAdds = adds;
        state = afterClicks(state, {k});
    }
    return parts.join(QStringLiteral(", puis "));
}

QString missingText(const SetupValues& values) {
    const QString ownName = recogniseSetup(values);
    if (!ownName.isEmpty())
        return QStringLiteral("Ce montage est déjà %1 : il ne manque rien.")
            .arg(withArticle(ownName));
    QStringList lines;
    for (const NearestSetup& nearest : nearestSetups(values))
        lines << QStringLiteral("Pour %1 : %2.")
                     .arg(withArticle(nearest.name), describeClicks(values, nearest.clicks));
    return lines.join(QLatin1Char('\n'));
}

QString whyNameText(const SetupValues& values) {
    const QString name = recogniseSetup(values);
    if (name.isEmpty()) return QString();
    const int receiver = receiverOn(values);
    const QString into = receiver >= 0 ? the(receiver) : QString();
    QString pieces;
    if (name == QLatin1String("Chromatographie sur couche mince"))
        pieces = QStringLiteral("La Plaque chromato. se développe dans le Bécher fermé par le "
                                "Couvercle : l'éluant monte le long de la plaque et entraîne plus "
                                "ou moins loin les espèces déposées.");
    else if (name == QLatin1String("Filtration"))
        pieces = QStringLiteral("Le filtrat passe de l'Entonnoir et papier filtre dans %1 ; le "
                                "solide reste sur le papier.")
                     .arg(into);
    else if (name == QLatin1String("Filtration sous vide"))
        pieces = QStringLiteral("Le Büchner est posé sur la Fiole à vide, reliée à la trompe à "
                                "eau : l'aspiration accélère le passage du filtrat.");
    else if (name == QLatin1String("Décantation"))
        pieces = QStringLiteral("L'Ampoule à décanter sépare deux liquides non miscibles ; on "
                                "recueille la phase inférieure dans %1.")
                     .arg(into);
    else if (name == QLatin1String("Distillation"))
        pieces = QStringLiteral("Le Ballon et chauffe ballon porte la Colonne de Vigreux surmontée "
                                "du Thermomètre ; les vapeurs se condensent dans le Réfrigérant "
                                "droit et le distillat est recueilli dans %1.")
                     .arg(into);
    else if (name == QStringLiteral("Entraînement à la vapeur"))
        pieces =
            QStringLiteral("Le Ballon et chauffe ballon est relié directement au Réfrigérant "
                           "droit, sans colonne : la vapeur d'eau entraîne les espèces, qui se "
                           "condensent et sont recueillies dans %1.")
                .arg(into);
    else
        pieces = QStringLiteral("Le Réfrigérant à boules, vertical sur le Ballon et chauffe "
                                "ballon, condense les vapeurs qui retombent dans le ballon : rien "
                                "ne s'échappe pendant le chauffage.");
    return pieces + QStringLiteral(" C'est %1.").arg(setupNameInSentence(name));
}

} // namespace alambix
