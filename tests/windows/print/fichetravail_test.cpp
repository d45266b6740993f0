// The worksheet window: opened from the drawing's menu, its choices, its print (to a printer
// and, without one, to a PDF file), its copy and its image, with real clicks and keys.
#include "support/dialogs.h"
#include "support/files.h"
#include "support/messagecatcher.h"
#include "support/modalsteps.h"
#include "support/pdfpages.h"

#include "windows/main/dessin_widget.h"
#include "windows/main/feuillep_window.h"
#include "windows/print/clipboardexport.h"
#include "windows/print/fichetravail_window.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSvgRenderer>
#include <QTemporaryDir>

using namespace alambix;

namespace {
void click(QWidget* widget) {
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
}

template <typename T> T* control(QWidget* window, const char* name) {
    return window->findChild<T*>(QString::fromLatin1(name));
}

// Goes to the folder of `path` in a file dialog, types its name and presses Enter.
void answerFileDialog(QWidget* modal, const QString& path) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog);
    dialog->setDirectory(QFileInfo(path).absolutePath());
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    typeInto(name, QFileInfo(path).fileName());
    QTest::keyClick(name, Qt::Key_Return);
}
} // namespace

class FicheTravailTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_feuille = std::make_unique<FeuilleP>(m_dir->path());
        m_feuille->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_feuille.get()));
        for (int element : {0, 3, 10, 9, 11})
            m_feuille->model().click(element);
    }

    void cleanup() {
        m_feuille.reset();
        m_dir.reset();
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }

    void opensFromTheDrawingsMenu() {
        bool checked = false;
        ModalSteps steps({[&checked](QWidget* modal) {
            auto* fiche = qobject_cast<FicheTravail*>(modal);
            QVERIFY(fiche);
            QCOMPARE(fiche->windowTitle(), QStringLiteral("Fiche de travail"));
            // The pupil's numbered sheet with its answer key, for the photocopier, titled with
            // the set-up's name.
            QCOMPARE(control<QLineEdit>(fiche, "textetitre")->text(),
                     QStringLiteral("Distillation"));
            QVERIFY(control<QRadioButton>(fiche, "numeros")->isChecked());
            QVERIFY(control<QCheckBox>(fiche, "corrige")->isChecked());
            QVERIFY(control<QCheckBox>(fiche, "noirblanc")->isChecked());
            QCOMPARE(fiche->previewPages(), 2);
            // The preview shows white pages with the drawing on them.
            const QImage shown = control<QWidget>(fiche, "apercu")->grab().toImage();
            int white = 0, dark = 0;
            for (int y = 0; y < shown.height(); ++y)
                for (int x = 0; x < shown.width(); ++x) {
                    white += shown.pixel(x, y) == qRgb(255, 255, 255);
                    dark += qGray(shown.pixel(x, y)) < 60;
                }
            QVERIFY(white > shown.width() * shown.height() / 4);
            QVERIFY(dark > 500);
            shown.save(QStringLiteral("/tmp/fichetravail-apercu.png"));

            // Names: one page, no answer key to choose; no title: none printed.
            click(control<QRadioButton>(fiche, "noms"));
            QCOMPARE(fiche->options().labels, LabelMode::Names);
            QVERIFY(!control<QCheckBox>(fiche, "corrige")->isEnabled());
            QCOMPARE(fiche->previewPages(), 1);
            click(control<QCheckBox>(fiche, "titre"));
            QVERIFY(fiche->options().title.isEmpty());
            QVERIFY(!control<QLineEdit>(fiche, "textetitre")->isEnabled());
            click(control<QCheckBox>(fiche, "noirblanc"));
            QVERIFY(!fiche->picture().blackWhite);
            checked = true;
            click(control<QPushButton>(fiche, "fermer"));
        }});
        // A right-click on the drawing, through the window as the platform delivers it, then a
        // click on the menu's item.
        DessinWidget* dessin = m_feuille->dessin();
        QTest::mouseClick(m_feuille->windowHandle(), Qt::RightButton, {},
                          dessin->mapTo(m_feuille.get(), QPoint(100, 100)));
        auto* menu = dessin->findChild<QMenu*>(QStringLiteral("explication"));
        QVERIFY(menu);
        QTRY_VERIFY(menu->isVisible());
        QAction* item = menu->findChild<QAction*>(QStringLiteral("fichetravail"));
        QVERIFY(item);
        QCOMPARE(item->text(), QStringLiteral("Fiche de travail…"));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(item).center());
        QVERIFY(checked);
        QCOMPARE(steps.seen(), 1);
    }

    void emptyDrawingMakesNoWorksheet() {
        m_feuille->nouveau();
        DessinWidget* dessin = m_feuille->dessin();
        QTest::mouseClick(m_feuille->windowHandle(), Qt::RightButton, {},
                          dessin->mapTo(m_feuille.get(), QPoint(100, 100)));
        auto* menu = dessin->findChild<QMenu*>(QStringLiteral("explication"));
        QTRY_VERIFY(menu->isVisible());
        QVERIFY(!menu->findChild<QAction*>(QStringLiteral("fichetravail"))->isEnabled());
        menu->hide();
    }

    void printsTheSheetAndItsAnswerKey() {
        const QString pdf = m_dir->filePath(QStringLiteral("fiche.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        FicheTravail fiche(m_feuille->document(), m_feuille.get(), &printer);
        fiche.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fiche));
        // The print dialog, accepted as it stands: the PDF file given.
        ModalSteps steps({[](QWidget* modal) {
            QVERIFY(qobject_cast<QPrintDialog*>(modal));
            QTest::keyClick(modal, Qt::Key_Return);
        }});
        click(control<QPushButton>(&fiche, "imprimer"));
        QCOMPARE(steps.seen(), 1);
        QCOMPARE(fiche.printResult(), std::optional(PrintResult::Printed));
        QCOMPARE(printtest::countPdfPages(pdf), 2);
        const QString sheet = printtest::pageText(pdf, 1);
        QVERIFY2(sheet.contains(QStringLiteral("Légender le schéma.")), qPrintable(sheet));
        QVERIFY(sheet.contains(QStringLiteral("Distillation")));
        QVERIFY(!sheet.contains(QStringLiteral("Réfrigérant droit")));
        const QString key = printtest::pageText(pdf, 2);
        QVERIFY(key.contains(QStringLiteral("Corrigé")));
        QVERIFY(key.contains(QStringLiteral("Réfrigérant droit")));
        QVERIFY(control<QLabel>(&fiche, "statut")->text().contains(QStringLiteral("fiche.pdf")));
        fiche.close();
    }

    void withoutPrinterPrintsToAPdfFile_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("a file named") << false;
        QTest::newRow("cancelled") << true;
    }

    void withoutPrinterPrintsToAPdfFile() {
        QFETCH(bool, cancel);
        // No printer: a PDF "printer" with no file to write.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        FicheTravail fiche(m_feuille->document(), m_feuille.get(), &printer);
        fiche.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fiche));
        click(control<QRadioButton>(&fiche, "noms"));
        const QString pdf = m_dir->filePath(QStringLiteral("sans imprimante.pdf"));
        ModalSteps steps({[&](QWidget* modal) {
            // Straight to the file, not through a printer dialog.
            QCOMPARE(modal->objectName(), QStringLiteral("fichierpdf"));
            if (cancel)
                QTest::keyClick(modal, Qt::Key_Escape);
            else
                answerFileDialog(modal, pdf);
        }});
        click(control<QPushButton>(&fiche, "imprimer"));
        QCOMPARE(steps.seen(), 1);
        QCOMPARE(QFile::exists(pdf), !cancel);
        QCOMPARE(fiche.printResult().has_value(), !cancel);
        if (!cancel) {
            QCOMPARE(printtest::countPdfPages(pdf), 1);
            QVERIFY(printtest::pageText(pdf, 1).contains(QStringLiteral("Entrée d'eau")));
        }
        fiche.close();
    }

    void copiesThePicture() {
        FicheTravail fiche(m_feuille->document(), m_feuille.get());
        fiche.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fiche));
        click(control<QPushButton>(&fiche, "copier"));
        const PictureOptions options = fiche.picture();
        const LabelLayout layout = layoutLabels(options.values, options.labels);
        const QMimeData* data = QGuiApplication::clipboard()->mimeData();
        QVERIFY(data);
        QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
                 pictureImage(options, layout));
        QCOMPARE(QImage::fromData(data->data(QStringLiteral("image/png")), "PNG").size(),
                 layout.size * 3);
        const QByteArray svg = data->data(QStringLiteral("image/svg+xml"));
        QVERIFY(QSvgRenderer(svg).isValid());
        QVERIFY(svg.contains(">12<")); // the labels are text
        QCOMPARE(control<QLabel>(&fiche, "statut")->text(), messagecopie());
        fiche.close();
    }

    void savesThePicture() {
        FicheTravail fiche(m_feuille->document(), m_feuille.get());
        fiche.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fiche));
        click(control<QRadioButton>(&fiche, "noms"));
        const QString path = m_dir->filePath(QStringLiteral("schema-legende.svg"));
        ModalSteps steps({[&](QWidget* modal) {
            // The sheet's own labels: no choice to make here.
            QVERIFY(!modal->findChild<QCheckBox*>(QStringLiteral("legender")));
            answerFileDialog(modal, path);
        }});
        MessageCatcher catcher;
        click(control<QPushButton>(&fiche, "enregistrer"));
        QVERIFY(catcher.messages().empty());
        const QByteArray svg = fileBytes(path);
        QVERIFY(svg.contains("Colonne de Vigreux"));
        QVERIFY(svg.contains("<title>Distillation</title>"));
        fiche.close();
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FeuilleP> m_feuille;
};

QTEST_MAIN(FicheTravailTest)
#include "fichetravail_test.moc"
