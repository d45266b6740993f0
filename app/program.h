#pragma once
// The program's main window for entry points outside app/ (the start-up probe, the soak run):
// they need a window to show, not the main window's interface.

#include <QString>
#include <QWidget>

#include <memory>

namespace alambix {

class SetupDocument;

// `programFolder` holds the flag file, help and course; by default the executable's folder.
std::unique_ptr<QWidget> createMainWindow(const QString& programFolder = QString());

// The set-up document a window made by createMainWindow shows; null for any other widget.
SetupDocument* mainWindowDocument(QWidget* window);

} // namespace alambix
