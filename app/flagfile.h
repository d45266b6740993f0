#pragma once
// The flag file "TEMPO.SPC" shared with the rest of the teaching package: record 12 says
// whether this module is running.

#include <QString>

namespace alambix {

// Writes `text` ("OUI" or "NON") into record 12 of folder/TEMPO.SPC, creating the file when
// needed and leaving every other byte as it was. Returns false when the file cannot be
// written (a read-only folder or file, a full disk), the old file then unchanged; callers
// ignore that, as the package does.
bool writeFlagFile(const QString& folder, const QString& text);

} // namespace alambix
