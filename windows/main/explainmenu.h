#pragma once
// The drawing's context menu that explains the set-up on demand: "Que manque-t-il ?" and, for a
// named set-up, "Pourquoi ce nom ?". Nothing is shown unless the user asks.

#include <QList>

class QMenu;
class QWidget;

namespace alambix {

class SetupModel;

// Gives `drawing` and each of `buttons` the menu (object name "explication", items "quemanque"
// and "pourquoinom"): a right-click opens it, and so do the context-menu key and Shift+F10 on
// whichever of them has the focus. Each item opens a small panel over the drawing's window.
QMenu* installExplainMenu(QWidget* drawing, const QList<QWidget*>& buttons,
                          const SetupModel& model);

} // namespace alambix
