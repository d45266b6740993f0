#pragma once
// The drawing's context menu that explains the set-up on demand: "Que manque-t-il ?" and, for a
// named set-up, "Pourquoi ce nom ?". Nothing is shown unless the user asks.

class QMenu;
class QWidget;

namespace alambix {

class SetupModel;

// Gives `drawing` the menu (object name "explication", items "quemanque" and "pourquoinom");
// each item opens a small panel over the drawing's window.
QMenu* installExplainMenu(QWidget* drawing, const SetupModel& model);

} // namespace alambix
