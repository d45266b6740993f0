// The worksheet's labels, checked on every set-up a pupil can reach by clicks.

#include "core/explain.h"
#include "core/setupmodel.h"
#include "drawing/drawingsurface.h"
#include "drawing/labellayout.h"
#include "drawing/setupdrawing.h"

#include <QTest>

#include <map>

using namespace alambix;

Q_DECLARE_METATYPE(alambix::SetupValues)

namespace {
bool on(const SetupValues& values, std::initializer_list<int> elements) {
    for (int k : elements)
        if (values[static_cast<std::size_t>(k)]) return true;
    return false;
}

int count(const LabelLayout& layout, PartKind kind, int element = -1) {
    return static_cast<int>(
        std::count_if(layout.labels.begin(), layout.labels.end(), [&](const PlacedLabel& label) {
            return label.part.kind == kind && (element < 0 || label.part.element == element);
        }));
}

const PlacedLabel* find(const LabelLayout& layout, PartKind kind, int element) {
    for (const PlacedLabel& label : layout.labels)
        if (label.part.kind == kind && label.part.element == element) return &label;
    return nullptr;
}

bool meetsBox(QPointF a, QPointF b, const QRectF& box) {
    const QPointF corners[] = {box.topLeft(), box.topRight(), box.bottomRight(), box.bottomLeft()};
    if (box.contains(a) || box.contains(b)) return true;
    for (int i = 0; i < 4; ++i)
        if (segmentsMeet(a, b, corners[i], corners[(i + 1) % 4])) return true;
    return false;
}
} // namespace

class LabelLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void promisesOnEveryReachableSetup_data() {
        QTest::addColumn<SetupValues>("values");
        const std::vector<SetupValues> setups = reachableSetups();
        QCOMPARE(setups.size(), std::size_t(114));
        for (const SetupValues& values : setups)
            QTest::newRow(qPrintable(setupText(values))) << values;
    }

    void promisesOnEveryReachableSetup() {
        QFETCH(SetupValues, values);
        DrawingSurface bare;
        bare.drawSetup(values);
        const QImage drawing = bare.image();
        for (LabelMode mode : {LabelMode::Names, LabelMode::Numbers}) {
            const LabelLayout layout = layoutLabels(values, mode);
            const QRect frame(layout.drawingAt, QSize(DrawingWidth, DrawingHeight));
            QVERIFY(QRect(QPoint(0, 0), layout.size).contains(frame));

            // A label for every piece: each element on once, the heater with the flask, inlet
            // and outlet with each condenser, the hardware where it is drawn.
            for (int k = 0; k < ElementCount; ++k)
                QCOMPARE(count(layout, PartKind::Element, k), values[std::size_t(k)] ? 1 : 0);
            QCOMPARE(count(layout, PartKind::Heater), values[Ballon] ? 1 : 0);
            QCOMPARE(count(layout, PartKind::Stand), on(values, {3, 4, 5, 6, 7, 8, 9, 10}) ? 1 : 0);
            QCOMPARE(count(layout, PartKind::Clamp), on(values, {3, 4, 6, 8, 10}) ? 1 : 0);
            QCOMPARE(count(layout, PartKind::Tap), on(values, {4, 8, 9}) ? 1 : 0);
            QCOMPARE(count(layout, PartKind::Pump), values[FioleAVide] ? 1 : 0);
            QCOMPARE(count(layout, PartKind::Jack),
                     on(values, {0, 1, 2}) && values[Ballon] && values[ColonneDeVigreux] ? 1 : 0);
            QCOMPARE(count(layout, PartKind::Stopcock), values[AmpouleADecanter] ? 1 : 0);
            for (int condenser : {int(RefrigerantABoules), int(RefrigerantDroit)}) {
                const PlacedLabel* in = find(layout, PartKind::WaterIn, condenser);
                const PlacedLabel* out = find(layout, PartKind::WaterOut, condenser);
                QCOMPARE(in != nullptr, bool(values[std::size_t(condenser)]));
                QCOMPARE(out != nullptr, bool(values[std::size_t(condenser)]));
                // Water goes in at the bottom of a condenser and out at its top.
                if (in && out) QVERIFY(in->anchor.y() > out->anchor.y());
            }

            int expectedNumber = 0;
            for (const PlacedLabel& label : layout.labels) {
                const QString what = partId(label.part) + QLatin1Char(' ') + label.name;
                // The leader starts on a drawn pixel of the set-up.
                const QPointF inDrawing = label.anchor - QPointF(layout.drawingAt);
                QVERIFY2(frame.contains(label.anchor.toPoint()), qPrintable(what));
                const QPoint pixel(static_cast<int>(std::floor(inDrawing.x())),
                                   static_cast<int>(std::floor(inDrawing.y())));
                QVERIFY2(drawing.pixel(pixel) != DrawingSurface::backColour().rgb(),
                         qPrintable(what));
                // In the margins, inside the picture, off the drawing.
                QVERIFY2(QRectF(QPoint(0, 0), layout.size).contains(label.box), qPrintable(what));
                QVERIFY2(!label.box.intersects(QRectF(frame)), qPrintable(what));
                QVERIFY2(label.right ? label.box.left() >= frame.right() + 1
                                     : label.box.right() <= frame.left(),
                         qPrintable(what));
                // Numbered down the left margin, then down the right one.
                QCOMPARE(label.number, ++expectedNumber);
                QCOMPARE(label.text,
                         mode == LabelMode::Numbers ? QString::number(label.number) : label.name);
                QVERIFY(!label.name.isEmpty());
                QVERIFY(label.box.contains(label.end) || label.box.left() == label.end.x() ||
                        label.box.right() == label.end.x());
            }
            for (std::size_t i = 0; i < layout.labels.size(); ++i) {
                const PlacedLabel& a = layout.labels[i];
                for (std::size_t j = i + 1; j < layout.labels.size(); ++j) {
                    const PlacedLabel& b = layout.labels[j];
                    const QString pair = a.name + QStringLiteral(" / ") + b.name;
                    QVERIFY2(!a.box.intersects(b.box), qPrintable(pair));
                    QVERIFY2(!segmentsMeet(a.anchor, a.end, b.anchor, b.end), qPrintable(pair));
                    QVERIFY2(!meetsBox(a.anchor, a.end, b.box), qPrintable(pair));
                    QVERIFY2(!meetsBox(b.anchor, b.end, a.box), qPrintable(pair));
                    if (a.right == b.right) QVERIFY2(a.box.top() < b.box.top(), qPrintable(pair));
                    QVERIFY2(!a.right || b.right, qPrintable(pair));
                }
            }
        }
    }

    void namesAsATeacherWritesThem_data() {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("reflux") << "3,8"
                                << QStringList{"Pince",   "Réfrigérant à boules", "Ballon",
                                               "Potence", "Chauffe-ballon",       "Sortie d'eau",
                                               "Robinet", "Entrée d'eau"};
        QTest::newRow("chromatography")
            << "1,12,13" << QStringList{"Couvercle", "Plaque de chromatographie", "Bécher"};
        QTest::newRow("nothing on") << "" << QStringList{};
    }

    void namesAsATeacherWritesThem() {
        QFETCH(QString, clicks);
        QFETCH(QStringList, names);
        SetupModel model;
        for (const QString& k : clicks.split(QLatin1Char(','), Qt::SkipEmptyParts))
            model.click(k.toInt());
        const LabelLayout layout = layoutLabels(model.values(), LabelMode::Names);
        QStringList shown;
        for (const PlacedLabel& label : layout.labels)
            shown << label.text;
        QCOMPARE(shown, names);
        // Without labels, or with nothing to label, the picture is the drawing alone.
        const QSize drawing(DrawingWidth, DrawingHeight);
        QCOMPARE(layoutLabels(model.values(), LabelMode::None).size, drawing);
        if (names.isEmpty()) QCOMPARE(layout.size, drawing);
    }

    void segmentsMeeting_data() {
        QTest::addColumn<QLineF>("a");
        QTest::addColumn<QLineF>("b");
        QTest::addColumn<bool>("meet");
        QTest::newRow("crossing") << QLineF(0, 0, 10, 10) << QLineF(0, 10, 10, 0) << true;
        QTest::newRow("apart") << QLineF(0, 0, 10, 0) << QLineF(0, 1, 10, 1) << false;
        QTest::newRow("touching at an end") << QLineF(0, 0, 10, 0) << QLineF(5, 0, 5, 9) << true;
        QTest::newRow("in line, apart") << QLineF(0, 0, 1, 1) << QLineF(2, 2, 3, 3) << false;
        QTest::newRow("in line, overlapping") << QLineF(0, 0, 2, 2) << QLineF(1, 1, 3, 3) << true;
        QTest::newRow("would cross if longer")
            << QLineF(0, 0, 4, 4) << QLineF(10, 0, 6, 4) << false;
    }

    void segmentsMeeting() {
        QFETCH(QLineF, a);
        QFETCH(QLineF, b);
        QFETCH(bool, meet);
        QCOMPARE(segmentsMeet(a.p1(), a.p2(), b.p1(), b.p2()), meet);
        QCOMPARE(segmentsMeet(b.p2(), b.p1(), a.p1(), a.p2()), meet);
    }
};

QTEST_MAIN(LabelLayoutTest)
#include "labellayout_test.moc"
