#pragma once
// The program's main window for entry points outside app/ (the start-up probe): they need a
// window to show, not the main window's interface.

#include <QString>
#include <QWidget>

#include <memory>

class QApplication;

namespace alambix {

// What every start of the program sets before its first window: the name, the style, Qt's
// texts in French and the window font as the font of everything (menus, message boxes, fields),
// so that one font serves the whole first window.
void configureApplication(QApplication& app);

// `programFolder` holds the flag file, help and course; by default the executable's folder.
std::unique_ptr<QWidget> createMainWindow(const QString& programFolder = QString());

} // namespace alambix
