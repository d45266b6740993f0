// The main window explains its rules on demand, driven with real clicks.
#include "support/messagecatcher.h"
#include "windows/main/dessin_widget.h"
#include "windows/main/elementbutton.h"
#include "windows/main/feuillep_window.h"

#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace alambix;

namespace {
const QString elementHint = QStringLiteral(
    "Cliquer sur les boutons à gauche du schéma pour ajouter ou enlever un élément au montage");
const QString dessinHint =
    QStringLiteral("Pour modifier le montage, utiliser les boutons à gauche du schéma");
} // namespace

class ExplainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        m_window = std::make_unique<FeuilleP>(m_folder.path());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup() { m_window.reset(); }

    void reasonInTheHintLineWhileOnTheButton() {
        auto* info = m_window->findChild<QLabel*>(QStringLiteral("info"));
        const QRect usual = info->geometry();
        for (int k : {1, 12, 13, 2})
            click(k);
        // Three pieces went: the beaker, the plate and the lid, each with its reason.
        const QString reason = m_window->hint();
        QVERIFY(reason.startsWith(
            QStringLiteral("Un seul récipient recueille le produit : le Bécher a été retiré.\nLa "
                           "plaque de chromatographie se développe dans le bécher")));
        QCOMPARE(reason.count(QLatin1Char('\n')), 2);
        QVERIFY(info->height() > usual.height());
        QTest::mouseMove(button(2), QPoint(8, 8));
        QTest::mouseMove(button(2), QPoint(12, 10));
        QCOMPARE(m_window->hint(), reason);
        QTest::mouseMove(button(0), QPoint(8, 8));
        QTRY_COMPARE(m_window->hint(), elementHint);
        QCOMPARE(info->geometry(), usual);
        // Back on the button: the reason was for its click, which is over.
        QTest::mouseMove(button(2), QPoint(8, 8));
        QCOMPARE(m_window->hint(), elementHint);

        // A click that takes nothing away gives the usual hint back.
        click(1);
        QCOMPARE(m_window->hint(), QStringLiteral("Un seul récipient recueille le produit : "
                                                  "l'Erlenmeyer a été retiré."));
        click(1);
        QCOMPARE(m_window->hint(), elementHint);

        // A greyed button says why, and stays greyed and off.
        QTest::mouseClick(button(6), Qt::LeftButton);
        QCOMPARE(m_window->hint(), QStringLiteral("Le Büchner se pose sur la fiole à vide : "
                                                  "ajouter d'abord la Fiole à vide."));
        QVERIFY(!button(6)->isEnabled());
        QVERIFY(!m_window->model().value(6));
        QTest::mouseMove(m_window->dessin(), QPoint(20, 20));
        QTRY_COMPARE(m_window->hint(), dessinHint);
    }

    void drawingMenuExplainsOnDemand_data() {
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<QString>("text");
        QTest::newRow("distillation lacks its thermometer")
            << QList<int>{0, 3, 9, 10} << QStringList{QStringLiteral("Que manque-t-il ?")}
            << QStringLiteral(
                   "Pour un Entraînement à la vapeur : retirer Colonne de Vigreux.\nPour "
                   "une Distillation : ajouter Thermomètre.");
        QTest::newRow("a named set-up")
            << QList<int>{4, 6}
            << QStringList{QStringLiteral("Que manque-t-il ?"), QStringLiteral("Pourquoi ce nom ?")}
            << QStringLiteral("Le Büchner est posé sur la Fiole à vide, reliée à la trompe à eau : "
                              "l'aspiration accélère le passage du filtrat. C'est une filtration "
                              "sous vide.");
    }

    void drawingMenuExplainsOnDemand() {
        QFETCH(QList<int>, clicks);
        QFETCH(QStringList, items);
        QFETCH(QString, text);
        for (int k : clicks)
            click(k);
        const QString before = m_window->hint();
        auto* menu = m_window->dessin()->findChild<QMenu*>(QStringLiteral("explication"));
        QVERIFY(!menu->isVisible());
        // Through the window, as the platform delivers it: that is what makes a context menu.
        QTest::mouseClick(m_window->windowHandle(), Qt::RightButton, {},
                          m_window->dessin()->mapTo(m_window.get(), QPoint(100, 100)));
        QTRY_VERIFY(menu->isVisible());
        // The explanations, then the worksheet.
        QStringList shown;
        QAction* last = nullptr;
        for (QAction* action : menu->actions())
            if (action->isVisible() && !action->isSeparator()) {
                shown << action->text();
                if (action->text() == items.last()) last = action;
            }
        QCOMPARE(shown, items + QStringList{QStringLiteral("Fiche de travail…")});
        MessageCatcher catcher;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(last).center());
        QTRY_COMPARE(int(catcher.messages().size()), 1);
        QCOMPARE(catcher.messages().front().title, items.last());
        QCOMPARE(catcher.messages().front().text, text);
        QCOMPARE(m_window->hint(), before);
    }

private:
    ElementButton* button(int index) {
        return m_window->findChild<ElementButton*>(QStringLiteral("Check1_%1").arg(index));
    }
    void click(int index) { QTest::mouseClick(button(index), Qt::LeftButton); }

    QTemporaryDir m_folder;
    std::unique_ptr<FeuilleP> m_window;
};

QTEST_MAIN(ExplainWindowTest)
#include "explain_window_test.moc"
