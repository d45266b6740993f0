// Formulae found and formatted in running text: ions, acids and bases, molecules, hydrates and
// equations of school chemistry, and sentences that hold none (formula_cases.tsv).
#include "core/chemicalformula.h"
#include "core/periodictable.h"

#include <QFile>
#include <QSet>
#include <QTest>

using namespace alambix;

class ChemicalFormulaTest : public QObject {
    Q_OBJECT
private slots:
    void markup_data();
    void markup();
    void elementTable();
    void wordBeforeTheCursor_data();
    void wordBeforeTheCursor();
};

void ChemicalFormulaTest::markup_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QFile cases(QStringLiteral(ALAMBIX_FORMULA_CASES));
    QVERIFY(cases.open(QIODevice::ReadOnly | QIODevice::Text));
    int line = 0;
    while (!cases.atEnd()) {
        const QString row = QString::fromUtf8(cases.readLine()).chopped(1);
        ++line;
        if (row.isEmpty() || row.startsWith(u'#')) continue;
        const QStringList columns = row.split(u'\t');
        QVERIFY2(columns.size() == 2, qPrintable(QStringLiteral("line %1").arg(line)));
        QTest::addRow("%d: %s", line, qPrintable(columns[0])) << columns[0] << columns[1];
    }
}

void ChemicalFormulaTest::markup() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(formulaMarkup(text), expected);
    // Formatting formatted text changes nothing more.
    QString unmarked = expected;
    unmarked.remove(QStringLiteral("_{")).remove(QStringLiteral("^{")).remove(u'}');
    QCOMPARE(formulaMarkup(unmarked), expected);
}

void ChemicalFormulaTest::elementTable() {
    QSet<QString> symbols;
    for (int i = 0; i < chemicalElementCount; ++i) {
        const QString symbol = elementSymbol(i);
        symbols.insert(symbol);
        qsizetype length = 0;
        QCOMPARE(elementAt(symbol + QStringLiteral("2"), &length), i);
        QCOMPARE(length, symbol.size());
        for (int state : mainOxidationStates(i))
            QVERIFY(state >= lowestOxidationState && state <= highestOxidationState && state);
    }
    QCOMPARE(symbols.size(), chemicalElementCount);
    QCOMPARE(elementSymbol(25), QLatin1StringView("Fe"));
    QCOMPARE(elementSymbol(117), QLatin1StringView("Og"));
    qsizetype length = 0;
    QCOMPARE(elementAt(u"CO", &length), 5); // carbon, then oxygen
    QCOMPARE(elementAt(u"Cat", &length), -1);
    QCOMPARE(elementAt(u"Xy", &length), -1);
}

void ChemicalFormulaTest::wordBeforeTheCursor_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected"); // the markup of the pieces returned, within `text`
    QTest::newRow("just typed") << "eau H2O "
                                << "eau H_{2}O ";
    QTest::newRow("only the last word") << "H2O CO2, "
                                        << "H2O CO_{2}, ";
    QTest::newRow("cursor on the word") << "ions Fe3+"
                                        << "ions Fe^{3+}";
    QTest::newRow("arrow after a formula") << "2H2 + O2 -> "
                                           << "2H2 + O2 → ";
    QTest::newRow("formula after an arrow") << "A -> H2O "
                                            << "A → H_{2}O ";
    QTest::newRow("arrow in a sentence") << "Fichier -> "
                                         << "Fichier -> ";
    QTest::newRow("no formula") << "pH "
                                << "pH ";
}

void ChemicalFormulaTest::wordBeforeTheCursor() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QString out;
    qsizetype pos = 0;
    for (const FormulaPiece& piece : formatWordBefore(text, text.size())) {
        out += QStringView(text).sliced(pos, piece.start - pos);
        const QString written =
            piece.replaces ? piece.replacement : text.mid(piece.start, piece.length);
        out += piece.script == Script::Subscript     ? QStringLiteral("_{%1}").arg(written)
               : piece.script == Script::Superscript ? QStringLiteral("^{%1}").arg(written)
                                                     : written;
        pos = piece.start + piece.length;
    }
    out += QStringView(text).sliced(pos);
    QCOMPARE(out, expected);
}

QTEST_APPLESS_MAIN(ChemicalFormulaTest)
#include "chemicalformula_test.moc"
