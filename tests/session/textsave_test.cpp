// A pupil's text, formulae formatted, colours, sizes and a bulleted list, saved as RTF: it reads
// back the same, and LibreOffice reads it with the same subscripts, superscripts, colours and
// sizes (checked when LibreOffice is installed: soffice converts our file into its own RTF).
#include "richtext/rtfreader.h"
#include "richtext/rtfwriter.h"
#include "session/formulaformatting.h"

#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

using namespace alambix;

namespace {

// One line a paragraph: its list and alignment, then each run of characters written alike.
QString describe(const QTextDocument& document, bool withLists = true) {
    QString out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (withLists && block.textList())
            out += block.textList()->format().style() == QTextListFormat::ListDisc ? u"• " : u"1. ";
        if (block.blockFormat().alignment() & Qt::AlignHCenter) out += u"[centre] ";
        QString text;
        QString last;
        const auto flush = [&] {
            if (!text.isEmpty()) out += QStringLiteral("{%1|%2}").arg(text, last);
            text.clear();
        };
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            QStringList look;
            if (f.verticalAlignment() == QTextCharFormat::AlignSubScript) look << "indice";
            if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript) look << "exposant";
            if (f.fontWeight() >= QFont::DemiBold) look << "gras";
            if (f.fontItalic()) look << "italique";
            if (f.fontUnderline()) look << "souligné";
            if (f.hasProperty(QTextFormat::ForegroundBrush) &&
                f.foreground().color() != QColor(Qt::black))
                look << f.foreground().color().name();
            look << QString::number(f.fontPointSize());
            // Runs that look alike are one, however the document splits them.
            if (look.join(u',') != last) flush();
            last = look.join(u',');
            text += it.fragment().text();
        }
        flush();
        out += u'\n';
    }
    return out;
}

// What the pupil wrote: a centred title, a sentence with formulae, a red word, a bigger one,
// a bulleted list.
void pupilsText(QTextDocument& document) {
    QTextCursor cursor(&document);
    QTextCharFormat body;
    body.setFontFamilies({QStringLiteral("Liberation Sans")});
    body.setFontPointSize(12);
    QTextCharFormat title = body;
    title.setFontPointSize(16);
    title.setFontWeight(QFont::Bold);
    title.setForeground(QColor(0, 0, 200));
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.insertText(QStringLiteral("Compte rendu"), title);
    cursor.insertBlock(QTextBlockFormat(), body);
    const int sentence = cursor.position();
    cursor.insertText(QStringLiteral("L'acide sulfurique H2SO4 réagit avec les ions Fe3+ : "
                                     "Fe3+ + 3HO- -> Fe(OH)3 ; le précipité est "),
                      body);
    QTextCharFormat red = body;
    red.setForeground(QColor(200, 0, 0));
    cursor.insertText(QStringLiteral("rouille"), red);
    QTextCharFormat big = body;
    big.setFontPointSize(14);
    big.setFontItalic(true);
    cursor.insertText(QStringLiteral(" très"), big);
    cursor.insertText(QStringLiteral(" nettement."), body);
    QTextCursor formulae(&document);
    formulae.setPosition(sentence);
    formulae.setPosition(cursor.position(), QTextCursor::KeepAnchor);
    QVERIFY(formatFormulaeAt(formulae));
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock(QTextBlockFormat(), body);
    QTextListFormat bullets;
    bullets.setStyle(QTextListFormat::ListDisc);
    bullets.setIndent(1);
    cursor.createList(bullets);
    cursor.insertText(QStringLiteral("CuSO4,5H2O est bleu"), body);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("NH4+ et SO42-"), body);
    QTextCursor items(&document);
    items.setPosition(document.lastBlock().previous().position());
    items.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    QVERIFY(formatFormulaeAt(items));
    cursor.insertBlock(QTextBlockFormat(), body);
    cursor.insertText(QStringLiteral("Fin."), body);
}

QByteArray saved(const QTextDocument& document) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    return writeRtf(document, buffer) ? bytes : QByteArray();
}

bool read(const QByteArray& bytes, QTextDocument& document) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readRtf(buffer, document) == RtfReadError::None;
}

} // namespace

class TextSaveTest : public QObject {
    Q_OBJECT
private slots:
    void readsBackTheSame();
    void olderNumberingMakesLists();
    void libreOfficeReadsIt();
};

void TextSaveTest::readsBackTheSame() {
    QTextDocument written;
    pupilsText(written);
    const QString expected = describe(written);
    QVERIFY(expected.contains(QStringLiteral("{2|indice,12}")));
    QVERIFY(expected.contains(QStringLiteral("{3+|exposant,12}")));
    QVERIFY(expected.contains(QStringLiteral("→")));
    QVERIFY(expected.contains(QStringLiteral("• {CuSO|12}{4|indice,12}")));
    QTextDocument reread;
    QVERIFY(read(saved(written), reread));
    QCOMPARE(describe(reread), expected);
    // Saved and read again: nothing drifts from one save to the next.
    QTextDocument again;
    QVERIFY(read(saved(reread), again));
    QCOMPARE(describe(again), expected);
}

// WordPad's lists: the bullet as text for readers without lists, then the numbering that makes
// the paragraph a list item; the list draws the bullet, once.
void TextSaveTest::olderNumberingMakesLists() {
    const QByteArray wordPad =
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fnil\\fcharset2 Symbol;}}"
        "\\pard\\fs24 Avant\\par"
        "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}"
        "\\fi-720\\li720 un\\par"
        "{\\pntext\\f1\\'B7\\tab}un autre\\par"
        "\\pard{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec\\pnstart1{\\pntxta .}}"
        " premier\\par\\pard Apr\\'e8s\\par}";
    QTextDocument document;
    QVERIFY(read(wordPad, document));
    QCOMPARE(describe(document), QStringLiteral("{Avant|12}\n• {un|12}\n• {un autre|12}\n"
                                                "1. { premier|12}\n{Après|12}\n"));
    QCOMPARE(document.begin().next().blockFormat().leftMargin(), 0.0);
}

void TextSaveTest::libreOfficeReadsIt() {
    const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (soffice.isEmpty()) QSKIP("LibreOffice (soffice) is not installed");
    QTemporaryDir dir;
    QTextDocument written;
    pupilsText(written);
    const QString source = dir.filePath(QStringLiteral("compte-rendu.rtf"));
    QFile file(source);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(saved(written)) > 0);
    file.close();
    QProcess office;
    office.setWorkingDirectory(dir.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), dir.path());
    office.setProcessEnvironment(environment);
    office.start(soffice,
                 {QStringLiteral("-env:UserInstallation=file://") + dir.filePath("profile"),
                  QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                  QStringLiteral("rtf"), QStringLiteral("--outdir"), dir.filePath("lo"), source});
    QVERIFY(office.waitForFinished(120000));
    QFile converted(dir.filePath(QStringLiteral("lo/compte-rendu.rtf")));
    QVERIFY2(converted.open(QIODevice::ReadOnly), office.readAllStandardError().constData());
    const QByteArray bytes = converted.readAll();
    // LibreOffice made a list of the two bullets.
    QCOMPARE(bytes.count("\\listtext"), 2);
    QTextDocument reread;
    QVERIFY(read(bytes, reread));
    // It writes the bullets as text before the items too, which we show as it comes.
    QString theirs = describe(reread, false);
    theirs.replace(QStringLiteral("{·\t"), QStringLiteral("{"));
    QCOMPARE(theirs, describe(written, false));
}

QTEST_MAIN(TextSaveTest)
#include "textsave_test.moc"
