#pragma once
// Whether the desktop has a program to show a file, as its file manager would decide: the
// file's type from the shared MIME database, then the default application for that type.

#include <QString>

namespace alambix {

// The desktop entry (e.g. "xchm.desktop") that opens `path`, or empty when none does, or the
// desktop offers no way to ask (no xdg-mime).
QString desktopViewerFor(const QString& path);

} // namespace alambix
