// The text panel as a pupil uses it: real keys, clicks on the formatting bar and on its menus,
// the context menu. The document is read back as markup: "_{...}" subscripts, "^{...}"
// superscripts, "*...*" bold.
#include "support/typing.h"
#include "windows/main/feuillep_window.h"
#include "windows/text/formatbar.h"
#include "windows/text/textpanel.h"

#include "richtext/rtfreader.h"
#include "session/typingformat.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>

using namespace alambix;

namespace {

QString markup(const QTextDocument& document) {
    QString out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin()) out += u'\n';
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            QString text = it.fragment().text();
            if (format.verticalAlignment() == QTextCharFormat::AlignSubScript)
                text = QStringLiteral("_{%1}").arg(text);
            if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript)
                text = QStringLiteral("^{%1}").arg(text);
            if (format.fontWeight() >= QFont::DemiBold) text = QStringLiteral("*%1*").arg(text);
            out += text;
        }
    }
    return out;
}

// The panel at the main window's size, editable, with the keyboard.
struct Panel {
    TextPanel panel;
    Panel() {
        panel.resize(361, 358);
        panel.setReadOnly(false);
        panel.show();
        panel.activateWindow();
        panel.setFocus();
    }
    FormatBar& bar() { return *panel.formatBar(); }
    QToolButton* button(const char* actionName) {
        QAction* action = bar().action(QString::fromLatin1(actionName));
        for (auto* button : bar().findChildren<QToolButton*>())
            if (button->defaultAction() == action) return button;
        return nullptr;
    }
};

// Clicks, in the menu that pops up next, the item named `name`; with `grid`, the button of the
// symbol grid whose text is `name`.
void clickInNextMenu(const QString& name, bool grid = false) {
    QTimer::singleShot(50, [name, grid] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        if (grid) {
            for (auto* button : menu->findChildren<QToolButton*>())
                if (button->text() == name) QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
        for (QAction* action : menu->actions())
            if (action->objectName() == name) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
                return;
            }
        menu->close();
    });
}

} // namespace

class TextPanelTest : public QObject {
    Q_OBJECT
private slots:
    void barOnlyWhileEditable();
    void typedFormulaeFormatThemselves();
    void shortcuts_data();
    void shortcuts();
    void barShowsTheFormatAtTheCursor();
    void contextMenu();
    void symbolsColoursAndSizes();
    void formulaCommand();
    void typingTakesTheBodyFont();
    void pasteWithoutFormatting();
    void printUsesTheDocumentsFonts();
};

void TextPanelTest::barOnlyWhileEditable() {
    FeuilleP window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* panel = window.findChild<TextPanel*>(QStringLiteral("supertext"));
    QVERIFY(panel);
    // The introduction shows, read-only: no bar was built for it.
    QVERIFY(panel->isReadOnly());
    QVERIFY(!panel->formatBar());
    QVERIFY(window.findChildren<FormatBar*>().isEmpty());

    panel->setReadOnly(false);
    FormatBar* bar = panel->formatBar();
    QVERIFY(bar && bar->isVisible());
    // The bar stands over the text, inside the panel's frame, and the text starts below it.
    QVERIFY(panel->geometry().contains(bar->mapTo(&window, bar->rect().bottomRight())));
    QVERIFY(panel->viewport()->geometry().top() >= bar->geometry().bottom());
    if (qEnvironmentVariableIsSet("ALAMBIX_SCREENSHOT"))
        window.grab().save(qEnvironmentVariable("ALAMBIX_SCREENSHOT"));
    QVERIFY2(
        bar->sizeHint().width() <= panel->width(),
        qPrintable(QStringLiteral("%1 > %2").arg(bar->sizeHint().width()).arg(panel->width())));

    panel->setReadOnly(true);
    QVERIFY(!bar->isVisible());
    QCOMPARE(panel->viewport()->geometry().top(), panel->frameWidth());
    QVERIFY(!bar->action(QStringLiteral("gras"))->isEnabled());
    panel->setReadOnly(false);
    QCOMPARE(panel->formatBar(), bar);
    QVERIFY(bar->isVisible());
}

void TextPanelTest::typedFormulaeFormatThemselves() {
    Panel p;
    QVERIFY(QTest::qWaitForWindowActive(&p.panel));
    typeText(&p.panel, QStringLiteral("L'acide sulfurique H2SO4 réagit avec les ions Fe3+ "));
    QCOMPARE(markup(*p.panel.document()),
             QStringLiteral("L'acide sulfurique H_{2}SO_{4} réagit avec les ions Fe^{3+} "));
    // One Ctrl+Z takes the last formatting away, and only it; it does not come back.
    QTest::keyClick(&p.panel, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(markup(*p.panel.document()),
             QStringLiteral("L'acide sulfurique H_{2}SO_{4} réagit avec les ions Fe3+ "));
    typeText(&p.panel, QStringLiteral(" "));
    // A formula ended by a punctuation mark, one by the end of a paragraph.
    typeText(&p.panel, QStringLiteral("(NH4)2SO4, CO2"));
    QTest::keyClick(&p.panel, Qt::Key_Return);
    QCOMPARE(markup(*p.panel.document()),
             QStringLiteral("L'acide sulfurique H_{2}SO_{4} réagit avec les ions Fe3+  "
                            "(NH_{4})_{2}SO_{4}, CO_{2}\n"));
    // The bar's option off.
    clickInNextMenu(QStringLiteral("formuleauto"));
    QTest::mouseClick(p.button("formule"), Qt::LeftButton, {},
                      QPoint(p.button("formule")->width() - 4, 10));
    QTRY_VERIFY(!p.bar().formatsAsTyped());
    typeText(&p.panel, QStringLiteral("NH4+ "));
    QVERIFY(markup(*p.panel.document()).endsWith(QStringLiteral("\nNH4+ ")));
}

void TextPanelTest::shortcuts_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("expected");
    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("Ctrl+B bold") << int(Qt::Key_B) << ctrl << "a*b*c";
    QTest::newRow("Ctrl+Shift+B subscript") << int(Qt::Key_B) << ctrlShift << "a_{b}c";
    QTest::newRow("Ctrl+Shift+P superscript") << int(Qt::Key_P) << ctrlShift << "a^{b}c";
    QTest::newRow("Ctrl+= subscript") << int(Qt::Key_Equal) << ctrl << "a_{b}c";
    QTest::newRow("Ctrl+Shift+= superscript") << int(Qt::Key_Equal) << ctrlShift << "a^{b}c";
    QTest::newRow("Ctrl++ superscript") << int(Qt::Key_Plus) << ctrlShift << "a^{b}c";
}

void TextPanelTest::shortcuts() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, expected);
    Panel p;
    QVERIFY(QTest::qWaitForWindowActive(&p.panel));
    typeText(&p.panel, QStringLiteral("a"));
    QTest::keyClick(&p.panel, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    typeText(&p.panel, QStringLiteral("b"));
    // The same key turns it off again.
    QTest::keyClick(&p.panel, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    typeText(&p.panel, QStringLiteral("c"));
    QCOMPARE(markup(*p.panel.document()), expected);
}

void TextPanelTest::barShowsTheFormatAtTheCursor() {
    Panel p;
    QVERIFY(QTest::qWaitForWindowActive(&p.panel));
    typeText(&p.panel, QStringLiteral("un mot "));
    // Italic and underline on the word the cursor stands in, from the keyboard.
    QTest::keyClick(&p.panel, Qt::Key_Left);
    QTest::keyClick(&p.panel, Qt::Key_Left);
    QTest::keyClick(&p.panel, Qt::Key_I, Qt::ControlModifier);
    QTest::keyClick(&p.panel, Qt::Key_U, Qt::ControlModifier);
    QTextCursor cursor(p.panel.document());
    cursor.setPosition(4);
    QVERIFY(cursor.charFormat().fontItalic() && cursor.charFormat().fontUnderline());
    QVERIFY(p.button("italique")->isChecked() && p.button("souligne")->isChecked());
    QTest::keyClick(&p.panel, Qt::Key_Home);
    QTest::keyClick(&p.panel, Qt::Key_Right);
    QVERIFY(!p.button("italique")->isChecked() && !p.button("souligne")->isChecked());
    // Bold lit inside bold text; the tooltip names the key.
    QTest::mouseClick(p.button("gras"), Qt::LeftButton);
    typeText(&p.panel, QStringLiteral("G"));
    QTest::keyClick(&p.panel, Qt::Key_End);
    QVERIFY(!p.button("gras")->isChecked());
    QTest::keyClick(&p.panel, Qt::Key_Home);
    QTest::keyClick(&p.panel, Qt::Key_Right);
    QTest::keyClick(&p.panel, Qt::Key_Right);
    QVERIFY(p.button("gras")->isChecked());
    QCOMPARE(p.button("gras")->toolTip(), QStringLiteral("Gras (Ctrl+B)"));
    QCOMPARE(p.button("indice")->toolTip(), QStringLiteral("Indice (Ctrl+Maj+B)"));
    // Undo and redo follow the history.
    QVERIFY(p.button("annuler")->isEnabled());
    QVERIFY(!p.button("retablir")->isEnabled());
    QTest::mouseClick(p.button("annuler"), Qt::LeftButton);
    QVERIFY(p.button("retablir")->isEnabled());
    // Alt+F10 puts the keyboard on the bar, Escape gives it back.
    QTest::keyClick(&p.panel, Qt::Key_F10, Qt::AltModifier);
    QVERIFY(p.bar().isAncestorOf(QApplication::focusWidget()));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QCOMPARE(QApplication::focusWidget(), &p.panel);
}

void TextPanelTest::contextMenu() {
    Panel p;
    QVERIFY(QTest::qWaitForWindowActive(&p.panel));
    const auto menuTexts = [&p] {
        QStringList texts;
        QTimer::singleShot(50, [&texts] {
            if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (QAction* action : menu->actions())
                    texts << action->text();
                menu->close();
            }
        });
        QContextMenuEvent event(QContextMenuEvent::Keyboard, QPoint(20, 20),
                                p.panel.mapToGlobal(QPoint(20, 20)));
        QApplication::sendEvent(&p.panel, &event);
        if (!QTest::qWaitFor([&texts] { return !texts.isEmpty(); })) return QStringList();
        return texts;
    };
    const QStringList editable = menuTexts();
    for (const char* text :
         {"Gras", "Italique", "Souligné", "Indice", "Exposant", "Couleur du texte", "Taille",
          "Alignement", "Liste à puces", "Insérer un symbole", "Formule chimique",
          "Mettre en forme les formules en tapant", "Coller sans la mise en forme"})
        QVERIFY2(editable.contains(QString::fromUtf8(text)), text);
    // After the standard paste command.
    const qsizetype paste = editable.indexOf(QStringLiteral("Coller sans la mise en forme"));
    QVERIFY2(paste > 0 &&
                 QString(editable[paste - 1]).remove(u'&').startsWith(QStringLiteral("Coller")),
             qPrintable(editable.join(u'|')));

    p.panel.setReadOnly(true);
    const QStringList readOnly = menuTexts();
    QVERIFY(!readOnly.contains(QStringLiteral("Gras")));
    QVERIFY(!readOnly.contains(QStringLiteral("Formule chimique")));
}

void TextPanelTest::symbolsColoursAndSizes() {
    Panel p;
    QVERIFY(QTest::qWaitForWindowActive(&p.panel));
    typeText(&p.panel, QStringLiteral("A "));
    auto* symbols = p.bar().findChild<QToolButton*>(QStringLiteral("symbole"));
    clickInNextMenu(QStringLiteral("⇌"), true);
    QTest::mouseClick(symbols, Qt::LeftButton);
    QTRY_COMPARE(p.panel.toPlainText(), QStringLiteral("A ⇌"));
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(QApplication::focusWidget(), &p.panel);

    // A word in red, from the colour menu, then "Automatique" again.
    typeText(&p.panel, QStringLiteral(" rouge"));
    QTest::keyClick(&p.panel, Qt::Key_Left, Qt::ShiftModifier | Qt::ControlModifier);
    auto* colour = p.bar().findChild<QToolButton*>(QStringLiteral("couleur"));
    const QPoint arrow(colour->width() - 4, colour->height() / 2);
    clickInNextMenu(QStringLiteral("rouge"));
    QTest::mouseClick(colour, Qt::LeftButton, {}, arrow);
    QTextCursor word(p.panel.document());
    word.setPosition(6);
    QTRY_COMPARE(word.charFormat().foreground().color(), QColor(200, 0, 0));
    clickInNextMenu(QStringLiteral("automatique"));
    QTest::mouseClick(colour, Qt::LeftButton, {}, arrow);
    QTRY_VERIFY(!word.charFormat().hasProperty(QTextFormat::ForegroundBrush));

    // A size from the size button's list; the button shows it.
    auto* size = p.bar().findChild<QToolButton*>(QStringLiteral("taille"));
    QCOMPARE(size->text(), QStringLiteral("9"));
    clickInNextMenu(QStringLiteral("taille18"));
    QTest::mouseClick(size, Qt::LeftButton);
    QTRY_COMPARE(word.charFormat().fontPointSize(), 18.0);
    QCOMPARE(size->text(), QStringLiteral("18"));
}

void TextPanelTest::formulaCommand() {
    Panel p;
    QVERIFY(QTest::qWaitForWindowActive(&p.panel));
    p.panel.setPlainText(QStringLiteral("Bilan : 2H2 + O2 -> 2H2O et Fe3+"));
    const QString plain = markup(*p.panel.document());
    QTextCursor all = p.panel.textCursor();
    all.select(QTextCursor::Document);
    p.panel.setTextCursor(all);
    QTest::keyClick(&p.panel, Qt::Key_F, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(markup(*p.panel.document()),
             QStringLiteral("Bilan : 2H_{2} + O_{2} → 2H_{2}O et Fe^{3+}"));
    QTest::keyClick(&p.panel, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(markup(*p.panel.document()), plain);
    // Without a selection: the formula just before the cursor, from the bar's button.
    p.panel.moveCursor(QTextCursor::End);
    QTest::mouseClick(p.button("formule"), Qt::LeftButton, {}, QPoint(8, 10));
    QVERIFY(markup(*p.panel.document()).endsWith(QStringLiteral("-> 2H2O et Fe^{3+}")));
}

void TextPanelTest::typingTakesTheBodyFont() {
    Panel p;
    QVERIFY(QTest::qWaitForWindowActive(&p.panel));
    QTextDocument& document = *p.panel.document();
    QTextCursor cursor(&document);
    QTextCharFormat title;
    title.setFontFamilies({QStringLiteral("DejaVu Serif")});
    title.setFontPointSize(18);
    title.setFontWeight(QFont::Bold);
    QTextCharFormat body;
    body.setFontFamilies({QStringLiteral("DejaVu Sans")});
    body.setFontPointSize(11);
    cursor.insertText(QStringLiteral("Titre"), title);
    cursor.insertBlock();
    cursor.insertText(QStringLiteral("Le texte de l'énoncé."), body);
    cursor.insertBlock();
    QImage picture(20, 20, QImage::Format_RGB32);
    picture.fill(Qt::red);
    document.addResource(QTextDocument::ImageResource, QUrl(QStringLiteral("p")), picture);
    QTextImageFormat image;
    image.setName(QStringLiteral("p"));
    cursor.insertImage(image);

    const auto typedAt = [&](int position) {
        QTextCursor at(&document);
        at.setPosition(position);
        p.panel.setTextCursor(at);
        typeText(&p.panel, QStringLiteral("x"));
        QTextCursor typed(&document);
        typed.setPosition(position + 1);
        return typed.charFormat();
    };
    // Typed inside the title, it is the title's; at its end, the body's.
    QCOMPARE(typedAt(2).fontPointSize(), 18.0);
    QTextCharFormat format = typedAt(6);
    QCOMPARE(format.fontPointSize(), 11.0);
    QVERIFY(format.fontWeight() < QFont::DemiBold);
    // In a new paragraph after the title: the body's font and size, not bold.
    QTest::keyClick(&p.panel, Qt::Key_Return);
    typeText(&p.panel, QStringLiteral("y"));
    QTextCursor typed(&document);
    typed.setPosition(p.panel.textCursor().position());
    QCOMPARE(typed.charFormat().fontPointSize(), 11.0);
    QCOMPARE(typed.charFormat().fontFamilies().toStringList(), {QStringLiteral("DejaVu Sans")});
    QVERIFY(typed.charFormat().fontWeight() < QFont::DemiBold);
    // After the picture.
    format = typedAt(document.characterCount() - 1);
    QVERIFY(!format.isImageFormat());
    QCOMPARE(format.fontPointSize(), 11.0);
}

void TextPanelTest::pasteWithoutFormatting() {
    Panel p;
    QVERIFY(QTest::qWaitForWindowActive(&p.panel));
    auto* data = new QMimeData;
    data->setHtml(QStringLiteral("<b>H<sub>2</sub>O</b>"));
    data->setText(QStringLiteral("H2O"));
    QApplication::clipboard()->setMimeData(data);
    typeText(&p.panel, QStringLiteral("eau "));
    QTest::keyClick(&p.panel, Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(markup(*p.panel.document()), QStringLiteral("eau H2O"));
    QTest::keyClick(&p.panel, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(markup(*p.panel.document()), QStringLiteral("eau H2O*H**_{2}**O*"));
}

// An answer typed into the empty paragraph a statement ends with is in the statement's font and
// size, not in the italics of the instruction before it, and prints so.
void TextPanelTest::printUsesTheDocumentsFonts() {
    Panel p;
    QVERIFY(QTest::qWaitForWindowExposed(&p.panel));
    QBuffer statement;
    // A statement of the starter pack: it ends with an instruction in italics, then an empty
    // paragraph for the answers. Its font made another than the panel's own.
    QFile pack(QStringLiteral(ALAMBIX_PACK_DIR "/reflux.rtf"));
    QVERIFY(pack.open(QIODevice::ReadOnly));
    statement.setData(pack.readAll().replace("Liberation Sans;", "DejaVu Serif;"));
    QVERIFY(statement.open(QIODevice::ReadOnly));
    QCOMPARE(readRtf(statement, *p.panel.document()), RtfReadError::None);
    p.panel.moveCursor(QTextCursor::End);
    typeText(&p.panel, QStringLiteral("Réponse : H2O."));
    QTextCursor typed(p.panel.document());
    typed.movePosition(QTextCursor::End);
    const QTextCharFormat body = bodyFormat(*p.panel.document());
    QCOMPARE(typed.charFormat().fontPointSize(), body.fontPointSize());
    QCOMPARE(typed.charFormat().fontFamilies(), body.fontFamilies());
    QVERIFY(!typed.charFormat().fontItalic());
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("texte.pdf")));
    p.panel.print(&printer);
    QFile pdf(printer.outputFileName());
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    const QByteArray bytes = pdf.readAll();
    QVERIFY2(!bytes.contains("LiberationSans"), "the panel's own font");
}

QTEST_MAIN(TextPanelTest)
#include "textpanel_test.moc"
