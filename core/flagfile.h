#pragma once
// The flag file "TEMPO.SPC" shared with the rest of the teaching package: record 12 says
// whether this module is running.

#include <QByteArray>
#include <QString>

#include <optional>

namespace alambix {

// Writes `text` ("OUI" or "NON") into record 12 of folder/TEMPO.SPC, creating the file when
// needed and leaving every other byte as it was. Returns false when the file cannot be
// written (a read-only folder or file, a full disk), the old file then unchanged; callers
// ignore that, as the package does.
bool writeFlagFile(const QString& folder, const QString& text);

// The bytes of a flag file `old` with `text` in record 12; nothing when the text does not fit.
std::optional<QByteArray> flagFileBytes(const QByteArray& old, const QString& text);

} // namespace alambix
