#pragma once
// What the program finds "in its own folder": the help, the course and the exercise pack. In
// the build tree they lie beside the executable; installed, the executable is in bin/ and they
// are in share/alambix/. The flag file always stays beside the executable.

#include <QString>

namespace alambix {

// The data folder of an installed program whose executable lies in `programFolder`.
QString installedDataFolder(const QString& programFolder);

// The path of `name` beside the executable when it is there, else in the installed data folder
// when it is there, else beside the executable (where a message will say it is missing).
QString findInProgramFolder(const QString& programFolder, const QString& name);

} // namespace alambix
