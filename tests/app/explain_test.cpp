// The explanations, checked over every set-up the clicks reach.
#include "app/explain.h"
#include "app/recognition.h"
#include "app/setupmodel.h"

#include <QTest>

#include <functional>
#include <map>
#include <set>

using namespace alambix;

namespace {
using R = SwitchOffRule;
struct Step {
    SetupValues next;
    bool taken;
    std::vector<SwitchOff> offs;
    SetupValues enabled;
};
// Every set-up reachable from the start by clicks, with the outcome of each of its 14 clicks.
std::map<SetupValues, std::array<Step, ElementCount>> reachable() {
    std::map<SetupValues, std::array<Step, ElementCount>> graph;
    std::vector<SetupValues> todo{SetupValues{}};
    while (!todo.empty()) {
        const SetupValues state = todo.back();
        todo.pop_back();
        if (graph.count(state)) continue;
        auto& steps = graph[state];
        for (int k = 0; k < ElementCount; ++k) {
            SetupModel model;
            for (int i = 0; i < ElementCount; ++i)
                model.setValue(i, state[std::size_t(i)]);
            const SetupValues enabled = model.enabledStates();
            const bool taken = model.click(k);
            steps[std::size_t(k)] = {model.values(), taken, model.lastSwitchOffs(), enabled};
            todo.push_back(model.values());
        }
    }
    return graph;
}

bool in(int k, int first, int last) {
    return k >= first && k <= last;
}

SetupValues clicked(const QString& clicks) {
    SetupModel model;
    for (const QString& k : clicks.split(QLatin1Char(','), Qt::SkipEmptyParts))
        model.click(k.toInt());
    return model.values();
}
} // namespace

class ExplainTest : public QObject {
    Q_OBJECT
private slots:
    void overEveryReachableSetup() {
        const auto graph = reachable();
        // When each rule may switch `e` off, clicking c from `b` to `a`, for `cause`.
        using Applies = std::function<bool(int c, int e, int cause, const SetupValues& a)>;
        const std::map<R, Applies> rules{
            {R::OneReceiver, [](int c, int e, int y,
                                auto& a) { return in(c, 0, 2) && a[c] && in(e, 0, 2) && y == c; }},
            {R::ReceiverNotOnVacuum,
             [](int c, int e, int y, auto& a) { return in(c, 0, 2) && a[c] && e == 4 && y == c; }},
            {R::FlaskNotOnVacuum,
             [](int c, int e, int y, auto& a) { return c == 3 && a[c] && e == 4 && y == c; }},
            {R::VacuumTakesReceiver,
             [](int c, int e, int y, auto& a) { return c == 4 && a[c] && in(e, 0, 2) && y == c; }},
            {R::VacuumNoHeating,
             [](int c, int e, int y, auto& a) {
                 return c == 4 && a[c] && (e == 3 || e == 8 || e == 9) && y == c;
             }},
            {R::OneUpperPiece,
             [](int c, int e, int y, auto& a) {
                 return in(c, 5, 9) && a[c] && in(e, 5, 9) && y == c;
             }},
            {R::UpperPieceNotOnColumn,
             [](int c, int e, int y, auto& a) { return in(c, 5, 8) && a[c] && e == 10 && y == c; }},
            {R::CondenserNotOnVacuum,
             [](int c, int e, int y, auto& a) { return in(c, 8, 9) && a[c] && e == 4 && y == c; }},
            {R::ColumnTakesCondenser,
             [](int c, int e, int y, auto& a) { return c == 10 && a[c] && in(e, 5, 8) && y == c; }},
            {R::PlateNeedsBeaker,
             [](int, int e, int y, auto& a) { return e == 12 && y == 1 && !a[1]; }},
            {R::LidNeedsPlate,
             [](int, int e, int y, auto& a) { return e == 13 && y == 12 && !a[12]; }},
            {R::BuchnerNeedsVacuum,
             [](int, int e, int y, auto& a) { return e == 6 && y == 4 && !a[4]; }},
            {R::ThermometerNeedsColumn,
             [](int, int e, int y, auto& a) { return e == 11 && y == 10 && !a[10]; }},
        };
        std::set<R> seen;
        std::map<std::pair<int, QString>, R> ruleOfText;
        for (const auto& [before, steps] : graph) {
            for (int c = 0; c < ElementCount; ++c) {
                const Step& step = steps[std::size_t(c)];
                // Greyed exactly when disabled, and the reason says what to add first.
                QCOMPARE(greyedReason(c, before).isEmpty(), bool(step.enabled[std::size_t(c)]));
                QCOMPARE(step.taken, bool(step.enabled[std::size_t(c)]));
                // One record per element the click's rules took away, and only for those.
                std::set<int> recorded;
                for (const SwitchOff& off : step.offs) {
                    QVERIFY(recorded.insert(off.element).second);
                    QVERIFY2(rules.at(off.rule)(c, off.element, off.cause, step.next),
                             qPrintable(setupText(before) + QString::number(c)));
                    seen.insert(off.rule);
                    const QString reason = switchOffReason(off);
                    QVERIFY(reason.contains(elementCaption(off.element)));
                    const auto [it, fresh] =
                        ruleOfText.emplace(std::pair(off.element, reason), off.rule);
                    QVERIFY2(fresh || it->second == off.rule, qPrintable(reason));
                }
                std::set<int> gone;
                for (int k = 0; k < ElementCount; ++k)
                    if (k != c && before[std::size_t(k)] && !step.next[std::size_t(k)])
                        gone.insert(k);
                QCOMPARE(recorded, gone);
            }

            // The nearest names, against an independent breadth-first search on the graph.
            std::map<SetupValues, int> distance{{before, 0}};
            std::vector<SetupValues> level{before};
            std::set<QString> expected;
            int nearestDistance = -1;
            for (int d = 0; expected.empty() && !level.empty(); ++d) {
                nearestDistance = d;
                std::vector<SetupValues> next;
                for (const SetupValues& s : level) {
                    if (!recogniseSetup(s).isEmpty()) expected.insert(recogniseSetup(s));
                    for (const Step& step : graph.at(s))
                        if (step.taken && distance.emplace(step.next, d + 1).second)
                            next.push_back(step.next);
                }
                level = next;
            }
            std::set<QString> names;
            for (const NearestSetup& nearest : nearestSetups(before)) {
                names.insert(nearest.name);
                SetupValues s = before;
                for (int k : nearest.clicks) {
                    QVERIFY(graph.at(s)[std::size_t(k)].taken);
                    s = graph.at(s)[std::size_t(k)].next;
                }
                QCOMPARE(recogniseSetup(s), nearest.name);
                QCOMPARE(int(nearest.clicks.size()), distance.at(s));
                QCOMPARE(distance.at(s), nearestDistance);
            }
            QCOMPARE(names, expected);
        }
        QCOMPARE(int(seen.size()), int(rules.size()));
        qInfo("%d set-ups reachable", int(graph.size()));
    }

    void texts_data() {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("text");
        QTest::newRow("other receiver")
            << "1,2"
            << "removed"
            << "Un seul récipient recueille le produit : le Bécher a été retiré.";
        QTest::newRow("beaker takes the plate")
            << "1,12,1"
            << "removed"
            << "La plaque de chromatographie se développe dans le bécher : sans le Bécher, la "
               "Plaque chromato. a été retirée.";
        QTest::newRow("vacuum flask, twice the same reason")
            << "3,9,4"
            << "removed"
            << "La fiole à vide reçoit le filtrat : le ballon et les réfrigérants ne s'y montent "
               "pas. Le Ballon et chauffe ballon a été retiré.\nLa fiole à vide reçoit le filtrat "
               ": le ballon et les réfrigérants ne s'y montent pas. Le Réfrigérant droit a été "
               "retiré.";
        QTest::newRow("column stays with the straight condenser") << "10,9"
                                                                  << "removed"
                                                                  << "";
        QTest::newRow("greyed Büchner")
            << ""
            << "greyed 6"
            << "Le Büchner se pose sur la fiole à vide : ajouter d'abord la Fiole à vide.";
        QTest::newRow("greyed lid")
            << ""
            << "greyed 13"
            << "Le couvercle ferme le bécher pendant que la plaque se développe : ajouter d'abord "
               "le Bécher, puis la Plaque chromato.";
        QTest::newRow("missing, two ways")
            << "2,3,9,10"
            << "missing"
            << "Pour un Entraînement à la vapeur : retirer Colonne de Vigreux.\nPour une "
               "Distillation : ajouter Thermomètre.";
        QTest::newRow("missing, from nothing")
            << ""
            << "missing"
            << "Pour une Filtration : ajouter Verre à pied, puis Entonnoir et papier filtre.\nPour "
               "une Décantation : ajouter Verre à pied, puis Ampoule à décanter.\nPour un "
               "Chauffage à reflux : ajouter Ballon et chauffe ballon, puis Réfrigérant à "
               "boules.\nPour une Filtration sous vide : ajouter Fiole à vide, puis Büchner.";
        QTest::newRow("missing, swap a piece")
            << "0,3,8"
            << "missing"
            << "Pour un Chauffage à reflux : retirer Verre à pied.\nPour un Entraînement à la "
               "vapeur : ajouter Réfrigérant droit.";
        QTest::newRow("nothing missing")
            << "4,6"
            << "missing"
            << "Ce montage est déjà une Filtration sous vide : il ne manque rien.";
        QTest::newRow("why distillation")
            << "3,9,10,11,2"
            << "why"
            << "Le Ballon et chauffe ballon porte la Colonne de Vigreux surmontée du Thermomètre ; "
               "les vapeurs se condensent dans le Réfrigérant droit et le distillat est recueilli "
               "dans l'Erlenmeyer. C'est une distillation.";
        QTest::newRow("why reflux")
            << "3,8"
            << "why"
            << "Le Réfrigérant à boules, vertical sur le Ballon et chauffe ballon, condense les "
               "vapeurs qui retombent dans le ballon : rien ne s'échappe pendant le chauffage. "
               "C'est un chauffage à reflux.";
        QTest::newRow("why, no name") << "1,12"
                                      << "why"
                                      << "";
    }

    void texts() {
        QFETCH(QString, clicks);
        QFETCH(QString, what);
        QFETCH(QString, text);
        SetupModel model;
        for (const QString& k : clicks.split(QLatin1Char(','), Qt::SkipEmptyParts))
            model.click(k.toInt());
        const SetupValues v = model.values();
        if (what == QLatin1String("removed"))
            QCOMPARE(switchOffReasons(model.lastSwitchOffs()), text);
        else if (what.startsWith(QLatin1String("greyed")))
            QCOMPARE(greyedReason(what.mid(7).toInt(), v), text);
        else if (what == QLatin1String("missing"))
            QCOMPARE(missingText(v), text);
        else
            QCOMPARE(whyNameText(v), text);
        QCOMPARE(v, clicked(clicks));
    }
};

QTEST_GUILESS_MAIN(ExplainTest)
#include "explain_test.moc"
