// The print dialog: its controls, the copy count, printing to a PDF printer with real clicks.
#include "support/dialogs.h"
#include "support/files.h"
#include "support/messagecatcher.h"
#include "support/modalsteps.h"
#include "support/pdfpages.h"
#include "support/processes.h"

#include "windows/main/dessin_widget.h"
#include "windows/main/feuillep_window.h"
#include "windows/print/confimp_dialog.h"
#include "windows/print/updown_control.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace alambix;

namespace {
const QRgb gradientTop = qRgb(255, 200, 155);

void click(QWidget* widget) {
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(widget->width() / 2, 6));
}

// Clicks on the upper or lower arrow of the spin control.
void clickArrow(UpDownControl* upDown, bool up) {
    QTest::mouseClick(upDown, Qt::LeftButton, {},
                      QPoint(upDown->width() / 2, up ? 2 : upDown->height() - 3));
}

// A PDF printer without margins, at a resolution a real printer could have.
std::unique_ptr<QPrinter> pdfPrinter(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(QPageSize::A4));
    printer->setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    return printer;
}

// The page size at 96 dots per inch, as the rendered page measures it.
QSizeF pageAt96(const QPrinter& printer) {
    const QSizeF points = printer.pageLayout().fullRectPoints().size();
    return points * 96.0 / 72.0;
}
} // namespace

class ConfimpDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_dir = std::make_unique<QTemporaryDir>();
        m_feuille = std::make_unique<FeuilleP>(m_dir->path());
        m_feuille->move(40, 30);
        m_feuille->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_feuille.get()));
        m_pdf = m_dir->filePath(QStringLiteral("print.pdf"));
        m_printer = pdfPrinter(m_pdf);
    }

    void cleanup() {
        m_feuille->hide();
        m_feuille.reset();
        m_printer.reset();
        m_dir.reset();
        // No window of a test may stay open for the next.
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    }

    void controls_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QRect>("geometry");
        QTest::addColumn<bool>("visible");

        QTest::newRow("Label2") << "Label2"
                                << "Imprimante:" << QRect(8, 18, 65, 17) << true;
        QTest::newRow("defaut") << "defaut"
                                << "" << QRect(80, 16, 177, 19) << true;
        QTest::newRow("Frame1") << "Frame1"
                                << "Options" << QRect(32, 56, 217, 161) << true;
        QTest::newRow("Chec_0") << "Chec_0"
                                << "Centrer l'image horizontalement" << QRect(24, 24, 177, 13)
                                << true;
        QTest::newRow("Chec_1") << "Chec_1"
                                << "Centrer l'image verticalement" << QRect(24, 48, 177, 13)
                                << true;
        QTest::newRow("Chec_2") << "Chec_2"
                                << "Imprimer avec le fond" << QRect(24, 72, 177, 13) << true;
        QTest::newRow("Chec_3") << "Chec_3"
                                << "Imprimer l'image en miniature" << QRect(56, 64, 177, 13)
                                << false;
        QTest::newRow("titre") << "titre"
                               << "Nom du montage en titre" << QRect(24, 96, 177, 13) << true;
        QTest::newRow("Label3") << "Label3"
                                << "Nombre d'exemplaires:" << QRect(16, 128, 113, 17) << true;
        QTest::newRow("Label4") << "Label4"
                                << "1" << QRect(136, 128, 41, 17) << true;
        QTest::newRow("UpDown1") << "UpDown1"
                                 << "" << QRect(176, 128, 16, 17) << true;
        QTest::newRow("fiche") << "fiche"
                               << "&Fiche de travail…" << QRect(32, 225, 217, 25) << true;
        QTest::newRow("Command2") << "Command2"
                                  << "&Imprimantes" << QRect(288, 8, 73, 57) << true;
        QTest::newRow("Command3") << "Command3"
                                  << "&Annuler" << QRect(288, 80, 73, 57) << true;
        QTest::newRow("Command1") << "Command1"
                                  << "&OK" << QRect(288, 152, 73, 57) << true;
        QTest::newRow("Frame2") << "Frame2"
                                << "" << QRect(16, 72, 345, 57) << false;
        QTest::newRow("Image2") << "Image2"
                                << "" << QRect(16, 16, 32, 32) << false;
        QTest::newRow("Label1") << "Label1"
                                << "Veuillez patienter quelques instants..."
                                << QRect(56, 24, 273, 17) << false;
    }

    void controls() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QRect, geometry);
        QFETCH(bool, visible);
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        auto* widget = confimp.findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->geometry(), geometry);
        QCOMPARE(widget->isVisible(), visible);
        QString shown;
        if (auto* label = qobject_cast<QLabel*>(widget))
            shown = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(widget))
            shown = button->text();
        else if (auto* frame = qobject_cast<QGroupBox*>(widget))
            shown = frame->title();
        if (!caption.isEmpty()) QCOMPARE(shown, caption);
        if (auto* check = qobject_cast<QCheckBox*>(widget))
            QCOMPARE(check->isChecked(),
                     name.startsWith(QLatin1String("Chec_")) && name != QLatin1String("Chec_3"));
        confimp.reject();
    }

    void windowAndPrinterName() {
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        QCOMPARE(confimp.windowTitle(), QStringLiteral("Imprimer"));
        QCOMPARE(confimp.size(), QSize(376, 257));
        QCOMPARE(confimp.palette().color(QPalette::Window), QColor(192, 192, 192));
        QCOMPARE(confimp.frameGeometry().top(), m_feuille->frameGeometry().top() + 20);
        QCOMPARE(confimp.findChild<QLineEdit*>(QStringLiteral("defaut"))->text(),
                 QStringLiteral("Fichier PDF : print.pdf"));
        confimp.reject();

        // A PDF printer with nowhere to write is no printer.
        QPrinter nowhere(QPrinter::HighResolution);
        nowhere.setOutputFormat(QPrinter::PdfFormat);
        QCOMPARE(Confimp::printerDescription(nowhere),
                 QStringLiteral("Aucune imprimante : fichier PDF"));
    }

    void copyCountWithinBounds() {
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        auto* upDown = confimp.findChild<UpDownControl*>(QStringLiteral("UpDown1"));
        auto* label4 = confimp.findChild<QLabel*>(QStringLiteral("Label4"));
        QVERIFY(upDown && label4);
        clickArrow(upDown, false);
        QCOMPARE(label4->text(), QStringLiteral("1"));
        clickArrow(upDown, true);
        clickArrow(upDown, true);
        QCOMPARE(label4->text(), QStringLiteral("3"));
        QCOMPARE(confimp.options().copies, 3);
        clickArrow(upDown, false);
        QCOMPARE(label4->text(), QStringLiteral("2"));
        upDown->setFocus();
        QTest::keyClick(upDown, Qt::Key_End);
        QTest::keyClick(upDown, Qt::Key_Up);
        QCOMPARE(label4->text(), QStringLiteral("99"));
        QTest::keyClick(upDown, Qt::Key_Home);
        QTest::keyClick(upDown, Qt::Key_Down);
        QCOMPARE(label4->text(), QStringLiteral("1"));
        confimp.reject();
    }

    void printsCopiesAsPages_data() {
        QTest::addColumn<int>("arrowClicks");
        QTest::addColumn<int>("pages");
        QTest::newRow("one copy") << 0 << 1;
        QTest::newRow("three copies") << 2 << 3;
    }

    void printsCopiesAsPages() {
        QFETCH(int, arrowClicks);
        QFETCH(int, pages);
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        auto* upDown = confimp.findChild<UpDownControl*>(QStringLiteral("UpDown1"));
        for (int i = 0; i < arrowClicks; ++i)
            clickArrow(upDown, true);
        click(confimp.findChild<QToolButton*>(QStringLiteral("Command1")));
        QVERIFY(!confimp.isVisible());
        QCOMPARE(confimp.result(), int(QDialog::Accepted));
        QCOMPARE(confimp.printResult(), std::optional(PrintResult::Printed));
        QCOMPARE(printtest::countPdfPages(m_pdf), pages);
    }

    void placesTheDrawing_data() {
        QTest::addColumn<bool>("centreH");
        QTest::addColumn<bool>("centreV");
        QTest::newRow("centred") << true << true;
        QTest::newRow("not centred") << false << false;
        QTest::newRow("centred across only") << true << false;
    }

    void placesTheDrawing() {
        QFETCH(bool, centreH);
        QFETCH(bool, centreV);
        if (!printtest::canRender()) QSKIP("pdftoppm is not installed");
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        if (!centreH) click(confimp.findChild<QCheckBox*>(QStringLiteral("Chec_0")));
        if (!centreV) click(confimp.findChild<QCheckBox*>(QStringLiteral("Chec_1")));
        QCOMPARE(confimp.options().centreHorizontally, centreH);
        QCOMPARE(confimp.options().centreVertically, centreV);
        click(confimp.findChild<QToolButton*>(QStringLiteral("Command1")));
        QCOMPARE(confimp.printResult(), std::optional(PrintResult::Printed));

        const QImage page = printtest::renderPage(m_pdf, 1, m_dir->filePath(QStringLiteral("p")));
        QVERIFY(!page.isNull());
        const QSizeF size = pageAt96(*m_printer);
        const QRect box = printtest::gradientBox(page);
        const double left = centreH ? (size.width() - 321) / 2 : size.width() / 10;
        const double top = centreV ? (size.height() - 490) / 2 : size.height() / 20;
        const QString seen = QStringLiteral("box %1,%2 %3x%4, expected %5,%6")
                                 .arg(box.x())
                                 .arg(box.y())
                                 .arg(box.width())
                                 .arg(box.height())
                                 .arg(left)
                                 .arg(top);
        QVERIFY2(std::abs(box.left() - left) <= 1, qPrintable(seen));
        QVERIFY2(std::abs(box.top() - top) <= 1, qPrintable(seen));
        QVERIFY2(std::abs(box.width() - 321) <= 1, qPrintable(seen));
    }

    void printsWithoutBackground() {
        if (!printtest::canRender()) QSKIP("pdftoppm is not installed");
        for (int element : {int(Ballon), int(RefrigerantABoules)})
            m_feuille->model().click(element);
        const QString name = m_feuille->findChild<QLabel*>(QStringLiteral("Label1"))->text();
        QSignalSpy redraws(&m_feuille->document(), &SetupDocument::redrawn);
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        click(confimp.findChild<QCheckBox*>(QStringLiteral("Chec_2")));
        click(confimp.findChild<QToolButton*>(QStringLiteral("Command1")));
        QCOMPARE(confimp.printResult(), std::optional(PrintResult::Printed));

        const QImage page = printtest::renderPage(m_pdf, 1, m_dir->filePath(QStringLiteral("p")));
        QVERIFY(!page.isNull());
        QVERIFY(printtest::gradientBox(page).isNull());
        QVERIFY(printtest::darkPixels(page) > 500);

        // Bare for the print, then the gradient again, with the set-up unchanged.
        QCOMPARE(redraws.count(), 2);
        const DrawingSurface& surface = m_feuille->dessin()->surface();
        QVERIFY(surface.hasBackground());
        QCOMPARE(surface.image().pixel(0, 0), gradientTop);
        QVERIFY(m_feuille->model().value(Ballon));
        QVERIFY(m_feuille->model().value(RefrigerantABoules));
        QCOMPARE(m_feuille->findChild<QLabel*>(QStringLiteral("Label1"))->text(), name);
    }

    void cancelPrintsNothing() {
        QSignalSpy redraws(&m_feuille->document(), &SetupDocument::redrawn);
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        click(confimp.findChild<QCheckBox*>(QStringLiteral("Chec_2")));
        click(confimp.findChild<QToolButton*>(QStringLiteral("Command3")));
        QVERIFY(!confimp.isVisible());
        QCOMPARE(confimp.result(), int(QDialog::Rejected));
        QVERIFY(!confimp.printResult());
        QVERIFY(!QFile::exists(m_pdf));
        QCOMPARE(redraws.count(), 0);
    }

    void unusablePrinterSaysSo() {
        m_printer->setOutputFileName(m_dir->filePath(QStringLiteral("no/such/folder/x.pdf")));
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        click(confimp.findChild<QCheckBox*>(QStringLiteral("Chec_2")));
        MessageCatcher catcher;
        click(confimp.findChild<QToolButton*>(QStringLiteral("Command1")));
        // A French message, and the dialog stays for another printer; the background is back.
        QCOMPARE(catcher.messages().size(), std::size_t(1));
        QCOMPARE(catcher.messages().front().title, QStringLiteral("Impression impossible"));
        QCOMPARE(catcher.messages().front().icon, QMessageBox::Critical);
        QVERIFY(confimp.isVisible());
        QCOMPARE(confimp.printResult(), std::optional(PrintResult::NotStarted));
        QVERIFY(confimp.findChild<QToolButton*>(QStringLiteral("Command2"))->isEnabled());
        QVERIFY(confimp.findChild<QWidget*>(QStringLiteral("Frame1"))->isVisible());
        QVERIFY(m_feuille->dessin()->surface().hasBackground());
        QCOMPARE(m_feuille->dessin()->surface().image().pixel(0, 0), gradientTop);
        confimp.reject();
    }

    void noPrinterPrintsToAPdfFile_data() {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("a file named") << false;
        QTest::newRow("cancelled") << true;
    }

    void noPrinterPrintsToAPdfFile() {
        QFETCH(bool, cancel);
        QPrinter none(QPrinter::HighResolution);
        none.setOutputFormat(QPrinter::PdfFormat);
        Confimp confimp(m_feuille->document(), m_feuille.get(), &none);
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        auto* defaut = confimp.findChild<QLineEdit*>(QStringLiteral("defaut"));
        QCOMPARE(defaut->text(), QStringLiteral("Aucune imprimante : fichier PDF"));
        const QString pdf = m_dir->filePath(QStringLiteral("montage.pdf"));
        ModalSteps steps({[&](QWidget* modal) {
            auto* files = qobject_cast<QFileDialog*>(modal);
            QVERIFY(files);
            QCOMPARE(files->objectName(), QStringLiteral("fichierpdf"));
            if (cancel) return QTest::keyClick(modal, Qt::Key_Escape);
            files->setDirectory(m_dir->path());
            auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            typeInto(name, QStringLiteral("montage.pdf"));
            QTest::keyClick(name, Qt::Key_Return);
        }});
        click(confimp.findChild<QToolButton*>(QStringLiteral("Command1")));
        QCOMPARE(steps.seen(), 1);
        // Cancelled, the dialog stays and nothing is printed; named, the page is in the file.
        QCOMPARE(confimp.isVisible(), cancel);
        QCOMPARE(QFile::exists(pdf), !cancel);
        if (cancel) return confimp.reject();
        QCOMPARE(confimp.printResult(), std::optional(PrintResult::Printed));
        QCOMPARE(printtest::countPdfPages(pdf), 1);
        QCOMPARE(Confimp::printerDescription(none), QStringLiteral("Fichier PDF : montage.pdf"));
    }

    void titleOverTheDrawing() {
        // A set-up without a name has no title to offer.
        m_feuille->model().click(Becher);
        {
            Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
            QVERIFY(!confimp.findChild<QCheckBox*>(QStringLiteral("titre"))->isEnabled());
        }
        m_feuille->nouveau();
        for (int element : {int(Ballon), int(RefrigerantABoules)})
            m_feuille->model().click(element);
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        auto* titre = confimp.findChild<QCheckBox*>(QStringLiteral("titre"));
        QVERIFY(titre->isEnabled() && !titre->isChecked());
        QVERIFY(confimp.options().title.isEmpty());
        click(titre);
        QCOMPARE(confimp.options().title, QStringLiteral("Chauffage à reflux"));
        click(confimp.findChild<QToolButton*>(QStringLiteral("Command1")));
        QCOMPARE(confimp.printResult(), std::optional(PrintResult::Printed));
        QVERIFY(printtest::pageText(m_pdf, 1).contains(QStringLiteral("Chauffage à reflux")));
    }

    void worksheetFromThePrintDialog() {
        // An empty drawing makes no worksheet.
        {
            Confimp empty(m_feuille->document(), m_feuille.get(), m_printer.get());
            QVERIFY(!empty.findChild<QPushButton*>(QStringLiteral("fiche"))->isEnabled());
        }
        m_feuille->model().click(Becher);
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        ModalSteps steps({[](QWidget* modal) {
            QCOMPARE(modal->objectName(), QStringLiteral("fichetravail"));
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("fermer")),
                              Qt::LeftButton);
        }});
        click(confimp.findChild<QPushButton*>(QStringLiteral("fiche")));
        QCOMPARE(steps.seen(), 1);
        // Back in the print dialog, which prints nothing by itself.
        QVERIFY(confimp.isVisible());
        QVERIFY(!QFile::exists(m_pdf));
        confimp.reject();
    }

    void failedPdfWriteIsSaid() {
        QVERIFY(putFile(m_pdf, "ancien"));
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        MessageCatcher catcher;
        {
            // Files may grow to 1 kB: the page cannot be written, as on a full disk.
            const FileSizeLimit limit(1024);
            QVERIFY(limit.isSet());
            click(confimp.findChild<QToolButton*>(QStringLiteral("Command1")));
        }
        QCOMPARE(confimp.printResult(), std::optional(PrintResult::WriteFailed));
        QCOMPARE(catcher.messages().size(), std::size_t(1));
        QCOMPARE(catcher.messages().front().text, QStringLiteral("Ecriture impossible sur disque"));
        QCOMPARE(fileBytes(m_pdf), QByteArray("ancien"));
        QVERIFY(!confimp.isVisible());
    }

    void keys_data() {
        QTest::addColumn<QString>("focus");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("printed");
        QTest::newRow("Enter prints") << "Chec_0" << int(Qt::Key_Return) << true;
        QTest::newRow("Enter on Annuler") << "Command3" << int(Qt::Key_Return) << false;
        QTest::newRow("Escape cancels") << "Chec_0" << int(Qt::Key_Escape) << false;
    }

    void keys() {
        QFETCH(QString, focus);
        QFETCH(int, key);
        QFETCH(bool, printed);
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowActive(&confimp));
        auto* widget = confimp.findChild<QWidget*>(focus);
        widget->setFocus();
        QTest::keyClick(widget, static_cast<Qt::Key>(key));
        QVERIFY(!confimp.isVisible());
        QCOMPARE(confimp.result(), int(printed ? QDialog::Accepted : QDialog::Rejected));
        QCOMPARE(QFile::exists(m_pdf), printed);
    }

    void printersButtonOpensThePlatformDialog() {
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        confimp.move(0, 300);
        bool sawPrintDialog = false;
        QTimer::singleShot(100, this, [&sawPrintDialog] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            sawPrintDialog = dialog != nullptr;
            if (dialog) dialog->reject();
        });
        click(confimp.findChild<QToolButton*>(QStringLiteral("Command2")));
        QVERIFY(sawPrintDialog);
        // The loading step ran again: back under the main window's top, printer shown.
        QVERIFY(confimp.isVisible());
        QCOMPARE(confimp.frameGeometry().top(), m_feuille->frameGeometry().top() + 20);
        QCOMPARE(confimp.findChild<QLineEdit*>(QStringLiteral("defaut"))->text(),
                 QStringLiteral("Fichier PDF : print.pdf"));
        confimp.reject();
    }

    void screenshot() {
        Confimp confimp(m_feuille->document(), m_feuille.get(), m_printer.get());
        confimp.show();
        QVERIFY(QTest::qWaitForWindowExposed(&confimp));
        const QImage shot = confimp.grab().toImage();
        QCOMPARE(shot.size(), QSize(376, 257));
        // The frame's caption is dark blue, the options inside are not.
        const auto navyPixels = [&shot](const QRect& area) {
            int count = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x) {
                    const QColor c = shot.pixelColor(x, y);
                    if (c.blue() > 90 && c.red() < 60 && c.green() < 60) ++count;
                }
            return count;
        };
        const QRect frame1 = confimp.findChild<QWidget*>(QStringLiteral("Frame1"))->geometry();
        QVERIFY(navyPixels(QRect(frame1.left(), frame1.top(), 60, 14)) > 10);
        const QWidget* chec0 = confimp.findChild<QWidget*>(QStringLiteral("Chec_0"));
        QCOMPARE(navyPixels(QRect(chec0->mapTo(&confimp, QPoint(0, 0)), chec0->size())), 0);
        shot.save(QStringLiteral("/tmp/confimp.png"));
        // The notice shown while the pages go out, for a look at its layout.
        confimp.findChild<QWidget*>(QStringLiteral("Frame1"))->hide();
        confimp.findChild<QWidget*>(QStringLiteral("Frame2"))->show();
        confimp.grab().save(QStringLiteral("/tmp/confimp-wait.png"));
        confimp.reject();
    }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<FeuilleP> m_feuille;
    std::unique_ptr<QPrinter> m_printer;
    QString m_pdf;
};

QTEST_MAIN(ConfimpDialogTest)
#include "confimp_dialog_test.moc"
