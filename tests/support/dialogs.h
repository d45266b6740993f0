#pragma once
// Driving dialogs in window tests: finding a control, clicking a list item, typing a text; and
// what the open and save dialog tests start from.

#include "windows/files/folderpicker.h"
#include "windows/main/feuillep_window.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>

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
