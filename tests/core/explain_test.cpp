// The explanations, checked over every set-up the clicks reach.
#include "core/explain.h"
#include "core/recognition.h"
#include "core/setupmodel.h"

#include <QTest>

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

// When each rule may switch an element off: a coupling rule on a click that switched an element
// of [first, last] on, for the clicked element; an availability rule when `cause` is off.
struct RuleShape {
    R rule;
    int first, last;   // the clicks that set it off; -1 for an availability rule
    unsigned elements; // what it may switch off, one bit per element
    int cause;         // availability rules only
};
constexpr RuleShape shapes[] = {
    {R::OneReceiver, 0, 2, 0x7, 0},
    {R::ReceiverNotOnVacuum, 0, 2, 0x10, 0},
    {R::FlaskNotOnVacuum, 3, 3, 0x10, 0},
    {R::VacuumTakesReceiver, 4, 4, 0x7, 0},
    {R::VacuumNoHeating, 4, 4, 0x308, 0},
    {R::OneUpperPiece, 5, 9, 0x3e0, 0},
    {R::UpperPieceNotOnColumn, 5, 8, 0x400, 0},
    {R::CondenserNotOnVacuum, 8, 9, 0x10, 0},
    {R::ColumnTakesCondenser, 10, 10, 0x1e0, 0},
    {R::PlateNeedsBeaker, -1, -1, 0x1000, 1},
    {R::LidNeedsPlate, -1, -1, 0x2000, 12},
    {R::BuchnerNeedsVacuum, -1, -1, 0x40, 4},
    {R::ThermometerNeedsColumn, -1, -1, 0x800, 10},
};

bool explains(const SwitchOff& off, int clicked, const SetupValues& after) {
    for (const RuleShape& shape : shapes) {
        if (shape.rule != off.rule || !((shape.elements >> off.element) & 1u)) continue;
        if (shape.first < 0) return off.cause == shape.cause && !after[std::size_t(off.cause)];
        return clicked >= shape.first && clicked <= shape.last && after[std::size_t(clicked)] &&
               off.cause == clicked && off.element != clicked;
    }
    return false;
}
} // namespace

class ExplainTest : public QObject {
    Q_OBJECT
private slots:
    void overEveryReachableSetup() {
        const auto graph = reachable();
        std::set<R> seen;
        std::map<std::pair<int, QString>, R> ruleOfText;
        for (const auto& [before, steps] : graph) {
            for (int c = 0; c < ElementCount; ++c) {
                const Step& step = steps[std::size_t(c)];
                // A reason for a greyed button exactly when it is disabled.
                QCOMPARE(greyedReason(c, before).isEmpty(), bool(step.enabled[std::size_t(c)]));
                QCOMPARE(step.taken, bool(step.enabled[std::size_t(c)]));
                // One record per element the click's rules took away, and only for those.
                std::set<int> recorded;
                for (const SwitchOff& off : step.offs) {
                    QVERIFY(recorded.insert(off.element).second);
                    QVERIFY2(explains(off, c, step.next),
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

            QCOMPARE(whyNameText(before).isEmpty(), recogniseSetup(before).isEmpty());
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
        QCOMPARE(seen.size(), std::size(shapes));
        qInfo("%d set-ups reachable", int(graph.size()));
        // The program's own list, each set-up once, the start first.
        const std::vector<SetupValues> listed = reachableSetups();
        QCOMPARE(listed.front(), SetupValues{});
        std::set<SetupValues> keys;
        for (const auto& entry : graph)
            keys.insert(entry.first);
        QCOMPARE(std::set<SetupValues>(listed.begin(), listed.end()), keys);
        QCOMPARE(listed.size(), keys.size());
    }

    void texts_data() {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("text");

        QTest::newRow("greyed lid")
            << ""
            << "greyed 13"
            << "Le couvercle ferme le bécher pendant que la plaque se développe : ajouter d'abord "
               "le Bécher, puis la Plaque chromato.";

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

        QTest::newRow("why distillation")
            << "3,9,10,11,2"
            << "why"
            << "Le Ballon et chauffe ballon porte la Colonne de Vigreux surmontée du Thermomètre ; "
               "les vapeurs se condensent dans le Réfrigérant droit et le distillat est recueilli "
               "dans l'Erlenmeyer. C'est une distillation.";
    }

    void texts() {
        QFETCH(QString, clicks);
        QFETCH(QString, what);
        QFETCH(QString, text);
        SetupModel model;
        for (const QString& k : clicks.split(QLatin1Char(','), Qt::SkipEmptyParts))
            model.click(k.toInt());
        const SetupValues v = model.values();
        if (what.startsWith(QLatin1String("greyed")))
            QCOMPARE(greyedReason(what.mid(7).toInt(), v), text);
        else if (what == QLatin1String("missing"))
            QCOMPARE(missingText(v), text);
        else
            QCOMPARE(whyNameText(v), text);
    }
};

QTEST_GUILESS_MAIN(ExplainTest)
#include "explain_test.moc"
