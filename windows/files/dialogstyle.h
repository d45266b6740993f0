#pragma once
// Look shared by the open and save dialogs.

#include "windows/common/twips.h"

#include <QColor>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace alambix {

inline const QColor DialogBackground(232, 213, 191);

// Common set-up of a dialog: font, background, fixed client size in twips, place over `main`.
void styleDialog(QWidget* dialog, const QWidget& main, int widthTwips, int heightTwips);
QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& rect);
QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, const QRect& rect);

} // namespace alambix
