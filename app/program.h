#pragma once
// The program's main window for entry points outside app/ (the start-up probe): they need a
// window to show, not the main window's interface.

#include <QString>
#include <QWidget>

#include <memory>

namespace alambix {

// `programFolder` holds the flag file, help and course; by default the executable's folder.
std::unique_ptr<QWidget> createMainWindow(const QString& programFolder = QString());

} // namespace alambix
