#pragma once
// Driving dialogs in window tests: finding a control, clicking a list item, typing a text,
// answering the file and printer dialogs; and what the open and save dialog tests start from.

#include "windows/files/folderpicker.h"
#include "windows/main/feuillep_window.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPrintDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

template <typename T> inline T* child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QString::fromLatin1(name));
    if (!widget) qFatal("no child %s", name);
    return widget;
}

inline void clickItem(QListWidget* list, const QString& text, bool twice = false) {
    const auto items = list->findItems(text, Qt::MatchExactly);
    QVERIFY2(!items.isEmpty(), qPrintable(text));
    const QPoint at = list->visualItemRect(items.first()).center();
    // A real double-click starts with a click: the view needs the press on the same item.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

inline void typeInto(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

// Answers the file and printer dialogs a test provokes, as a user would. The first one shown:
// a file dialog gets its filter number `filter` (Down keys), the name `typed` and Enter, or
// Cancel when `typed` is null; a printer dialog gets Enter, or Cancel when `cancelPrint`. Any
// later showing, of another dialog or of the same one again after a message, is cancelled.
class DialogAnswerer : public QObject {
public:
    explicit DialogAnswerer(QString typed, int filter = 0, bool cancelPrint = false)
        : m_typed(std::move(typed)), m_filter(filter), m_cancelPrint(cancelPrint) {
        connect(&m_timer, &QTimer::timeout, this, [this] { poll(); });
        m_timer.start(10);
    }
    int shown() const { return m_shown; }
    // The first file dialog's folder and filters.
    QString startFolder() const { return m_startFolder; }
    QStringList filters() const { return m_filters; }

private:
    static void clickCancel(QWidget* dialog) {
        for (auto* box : dialog->findChildren<QDialogButtonBox*>())
            if (QPushButton* cancel = box->button(QDialogButtonBox::Cancel))
                return QTest::mouseClick(cancel, Qt::LeftButton);
    }

    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        auto* files = qobject_cast<QFileDialog*>(modal);
        if (!modal || !modal->isVisible() || (!files && !qobject_cast<QPrintDialog*>(modal))) {
            m_current = nullptr;
            return;
        }
        if (modal == m_current) return;
        m_current = modal;
        if (m_shown++ == 0 && files) {
            m_startFolder = files->directory().absolutePath();
            m_filters = files->nameFilters();
        }
        if (m_shown > 1 || (files ? m_typed.isNull() : m_cancelPrint)) return clickCancel(modal);
        if (!files) return QTest::keyClick(modal, Qt::Key_Return);
        auto* types = files->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        QVERIFY(types && name);
        for (int i = 0; i < m_filter; ++i)
            QTest::keyClick(types, Qt::Key_Down);
        // A file in another folder: the user goes there first, then types its name.
        const QFileInfo typed(m_typed);
        if (typed.isAbsolute()) files->setDirectory(typed.absolutePath());
        typeInto(name, typed.isAbsolute() ? typed.fileName() : m_typed);
        QTest::keyClick(name, Qt::Key_Return);
    }

    QTimer m_timer;
    QPointer<QWidget> m_current;
    QString m_typed;
    int m_filter;
    bool m_cancelPrint;
    int m_shown = 0;
    QString m_startFolder;
    QStringList m_filters;
};

// The main window at `at`, in a fresh folder where the open and save dialogs start; each test
// opens it in init() and closes it in cleanup().
class FileDialogFixture {
protected:
    bool openMainWindow(QPoint at) {
        m_dir = std::make_unique<QTemporaryDir>();
        if (!m_dir->isValid()) return false;
        m_oldCurrent = QDir::currentPath();
        alambix::FolderPicker::setLastFolder(m_dir->path());
        m_main = std::make_unique<alambix::FeuilleP>(m_dir->path());
        m_main->move(at);
        return true;
    }

    void closeMainWindow() {
        m_main.reset();
        // The dialogs remember their folder without moving the process's current folder.
        QCOMPARE(QDir::currentPath(), m_oldCurrent);
        m_dir.reset();
    }

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<alambix::FeuilleP> m_main;
    QString m_oldCurrent;
};
