#include "core/setupcheck.h"

#include "core/explain.h"
#include "core/recognition.h"

#include <QStringList>

#include <algorithm>

namespace alambix {

namespace {
const QString notYet = QStringLiteral("Ce n'est pas encore le bon montage");

// "A", "A et B", "A, B et C".
QString listed(const QStringList& items) {
    if (items.size() < 2) return items.value(0);
    return items.mid(0, items.size() - 1).join(QStringLiteral(", ")) + QStringLiteral(" et ") +
           items.last();
}

QString pieces(const std::vector<int>& elements) {
    QStringList names;
    for (int k : elements)
        names << elementInSentence(k);
    return listed(names);
}

QString whichPieces(const SetupDifference& difference) {
    QStringList sentences;
    if (!difference.missing.empty())
        sentences << QStringLiteral("Il manque : %1.").arg(pieces(difference.missing));
    if (!difference.extra.empty())
        sentences << QStringLiteral("En trop : %1.").arg(pieces(difference.extra));
    return notYet + QStringLiteral(". ") + sentences.join(QLatin1Char(' '));
}
} // namespace

SetupDifference compareSetups(const SetupValues& pupil, const SetupValues& expected) {
    SetupDifference difference;
    for (int k = 0; k < ElementCount; ++k) {
        const bool has = pupil[std::size_t(k)];
        const bool wanted = expected[std::size_t(k)];
        if (wanted && !has) difference.missing.push_back(k);
        if (has && !wanted) difference.extra.push_back(k);
    }
    return difference;
}

QString setupHint(const SetupDifference& difference, HintRung rung) {
    switch (rung) {
    case HintRung::HowMany:
        return difference.count() == 1
                   ? notYet + QStringLiteral(" : une pièce est à revoir.")
                   : notYet + QStringLiteral(" : %1 pièces sont à revoir.").arg(difference.count());
    case HintRung::WhereToLook: {
        std::vector<SetupRole> roles;
        for (const auto* group : {&difference.missing, &difference.extra})
            for (int k : *group)
                roles.push_back(roleOf(k));
        std::sort(roles.begin(), roles.end());
        roles.erase(std::unique(roles.begin(), roles.end()), roles.end());
        QStringList words;
        for (SetupRole role : roles)
            words << roleText(role);
        return notYet + QStringLiteral(". À revoir : %1.").arg(listed(words));
    }
    case HintRung::WhichPieces:
        return whichPieces(difference);
    case HintRung::Correction:
        return whichPieces(difference) +
               QStringLiteral(" Vous pouvez maintenant voir la correction.");
    }
    return QString();
}

QString rightSetupText(const SetupValues& values) {
    const QString name = recogniseSetup(values);
    if (name.isEmpty()) return QStringLiteral("Bravo ! C'est le bon montage.");
    return QStringLiteral("Bravo ! C'est le bon montage : %1.").arg(setupNameInSentence(name));
}

std::optional<HintRung> HintLadder::climb(bool right) {
    ++m_checks;
    if (right) {
        m_rung = 0;
        return std::nullopt;
    }
    m_rung = std::min(m_rung + 1, int(HintRung::Correction));
    return HintRung(m_rung);
}

} // namespace alambix
