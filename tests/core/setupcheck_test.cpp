// "Vérifier mon montage" without a window: the comparison, the hints of each rung over every
// pair of set-ups the clicks reach, and the ladder.
#include "core/elements.h"
#include "core/explain.h"
#include "core/recognition.h"
#include "core/setupcheck.h"
#include "core/setupmodel.h"

#include <QTest>

#include <set>

using namespace alambix;

namespace {
SetupValues clicked(const QString& clicks) {
    SetupModel model;
    for (const QString& k : clicks.split(QLatin1Char(','), Qt::SkipEmptyParts))
        model.click(k.toInt());
    return model.values();
}

QString indices(const std::vector<int>& elements) {
    QStringList list;
    for (int k : elements)
        list << QString::number(k);
    return list.join(QLatin1Char(','));
}

// Every set-up the clicks reach from the start.
std::set<SetupValues> reachable() {
    std::set<SetupValues> seen;
    std::vector<SetupValues> todo{SetupValues{}};
    while (!todo.empty()) {
        const SetupValues state = todo.back();
        todo.pop_back();
        if (!seen.insert(state).second) continue;
        for (int k = 0; k < ElementCount; ++k)
            todo.push_back(afterClicks(state, {k}));
    }
    return seen;
}
} // namespace

class SetupCheckTest : public QObject {
    Q_OBJECT
private slots:
    void hints_data() {
        QTest::addColumn<QString>("pupil");    // clicks
        QTest::addColumn<QString>("expected"); // clicks
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<QStringList>("rungs"); // the texts of rungs 1 to 4, or the greeting
        const QString notYet = QStringLiteral("Ce n'est pas encore le bon montage");
        QTest::newRow("distillation: reflux instead")
            << "3,8"
            << "2,3,9,10,11"
            << "2,9,10,11"
            << "8"
            << QStringList{
                   notYet + " : 5 pièces sont à revoir.",
                   notYet + ". À revoir : le récipient qui recueille le produit, la pièce montée "
                            "au-dessus du récipient ou du ballon, la colonne de fractionnement et "
                            "la mesure de la température des vapeurs.",
                   notYet + ". Il manque : l'Erlenmeyer, le Réfrigérant droit, la Colonne de "
                            "Vigreux et le Thermomètre. En trop : le Réfrigérant à boules.",
                   notYet + ". Il manque : l'Erlenmeyer, le Réfrigérant droit, la Colonne de "
                            "Vigreux et le Thermomètre. En trop : le Réfrigérant à boules. Vous "
                            "pouvez maintenant voir la correction."};
        QTest::newRow("one piece missing")
            << "1,12"
            << "1,12,13"
            << "13"
            << ""
            << QStringList{notYet + " : une pièce est à revoir.",
                           notYet + ". À revoir : la chromatographie.",
                           notYet + ". Il manque : le Couvercle.",
                           notYet + ". Il manque : le Couvercle. Vous pouvez maintenant voir la "
                                    "correction."};
        QTest::newRow("two receivers for one, the flask too much")
            << "0,3,9"
            << "2,3,9"
            << "2"
            << "0"
            << QStringList{notYet + " : 2 pièces sont à revoir.",
                           notYet + ". À revoir : le récipient qui recueille le produit.",
                           notYet + ". Il manque : l'Erlenmeyer. En trop : le Verre à pied.",
                           notYet + ". Il manque : l'Erlenmeyer. En trop : le Verre à pied. "
                                    "Vous pouvez maintenant voir la correction."};
        QTest::newRow("right and named") << "3,9,10,11,2"
                                         << "2,3,9,10,11"
                                         << ""
                                         << ""
                                         << QStringList{"Bravo ! C'est le bon montage : une "
                                                        "distillation."};
        QTest::newRow("right, no name") << "1,12"
                                        << "1,12"
                                        << ""
                                        << "" << QStringList{"Bravo ! C'est le bon montage."};
    }
    void hints() {
        QFETCH(QString, pupil);
        QFETCH(QString, expected);
        QFETCH(QStringList, rungs);
        const SetupDifference difference = compareSetups(clicked(pupil), clicked(expected));
        QTEST(indices(difference.missing), "missing");
        QTEST(indices(difference.extra), "extra");
        QCOMPARE(difference.isRight(), rungs.size() == 1);
        if (difference.isRight()) {
            QCOMPARE(rightSetupText(clicked(pupil)), rungs.first());
            return;
        }
        for (int rung = 1; rung <= rungs.size(); ++rung)
            QCOMPARE(setupHint(difference, HintRung(rung)), rungs.at(rung - 1));
    }

    // Over every pair of set-ups the clicks reach: the first two rungs name no piece, the
    // third names each piece at fault and no other, the count is the pieces at fault.
    void rungsSayWhatTheyShould() {
        const std::set<SetupValues> setups = reachable();
        QVERIFY(setups.size() > 100);
        for (const SetupValues& pupil : setups) {
            for (const SetupValues& expected : setups) {
                const SetupDifference difference = compareSetups(pupil, expected);
                if (pupil == expected) {
                    QVERIFY(difference.isRight());
                    continue;
                }
                QVERIFY(!difference.isRight());
                const QString howMany = setupHint(difference, HintRung::HowMany);
                const QString where = setupHint(difference, HintRung::WhereToLook);
                const QString pieces = setupHint(difference, HintRung::WhichPieces);
                QVERIFY(howMany.contains(
                    difference.count() == 1 ? QStringLiteral("une pièce")
                                            : QStringLiteral("%1 pièces").arg(difference.count())));
                for (int k = 0; k < ElementCount; ++k) {
                    const bool atFault = pupil[std::size_t(k)] != expected[std::size_t(k)];
                    QVERIFY2(!howMany.contains(elementCaption(k), Qt::CaseInsensitive) &&
                                 !where.contains(elementCaption(k), Qt::CaseInsensitive),
                             qPrintable(where));
                    QCOMPARE(pieces.contains(elementInSentence(k)), atFault);
                    if (atFault) QVERIFY(where.contains(roleText(roleOf(k))));
                }
            }
        }
    }

    void ladder_data() {
        QTest::addColumn<QString>("checks"); // w: a wrong set-up, r: a right one
        QTest::addColumn<QString>("rungs");  // the rung of each, 0 for a right set-up
        QTest::newRow("climbs one rung a check, stays at the top") << "wwwwww"
                                                                   << "123444";
        QTest::newRow("a right set-up takes the pupil back to the foot") << "wwrwrrw"
                                                                         << "1201001";
    }
    void ladder() {
        QFETCH(QString, checks);
        HintLadder ladder;
        QString rungs;
        for (const QChar check : checks) {
            const std::optional<HintRung> rung = ladder.climb(check == QLatin1Char('r'));
            rungs += QString::number(rung ? int(*rung) : 0);
        }
        QTEST(rungs, "rungs");
        QCOMPARE(ladder.checks(), checks.size());
    }
};

QTEST_GUILESS_MAIN(SetupCheckTest)
#include "setupcheck_test.moc"
