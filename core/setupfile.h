#pragma once
// Set-up files (".C03"): record 1 holds the signature "ALAMBIXSCHEMA", record 2 one "0"/"1"
// per element, element 0 first. Reading and writing work on bytes, without a window; the
// loader `chargemontage` turns the results into messages and button changes.

#include "core/elements.h"

#include <QString>

class QIODevice;

namespace alambix {

class SetupModel;

inline constexpr char SetupSignature[] = "ALAMBIXSCHEMA";
inline constexpr char SetupSuffix[] = ".C03";

enum class SetupReadStatus {
    Ok,
    NotASetupFile, // record 1 is not the signature (also an empty, short or missing file)
    ReadError,     // the file cannot be opened or read, or a length field is above 126
};

struct SetupReadResult {
    SetupReadStatus status = SetupReadStatus::ReadError;
    // Text of record 2 with its leading and trailing spaces removed; meaningful when Ok.
    QString flags;
};

// Reads a set-up from an open device.
SetupReadResult readSetup(QIODevice& device);
// Reads the set-up file at `path`. A file that does not exist reads as an empty file.
SetupReadResult readSetupFile(const QString& path);

// Element values named by a flag text: character i + 1 is "1" for element i on; any other
// character, or a missing one, means off; characters after the 14th are ignored.
SetupValues valuesFromFlags(const QString& flags);

// Sets the elements in index order, each actual change running its rules as a click would.
// A set-up that breaks the rules therefore ends as the rules leave it.
void applySetup(SetupModel& model, const SetupValues& values);

// Writes both records of a set-up file to an open device.
bool writeSetup(QIODevice& device, const SetupValues& values);
// Writes the set-up file at `path` through writeFileSafely(): a failed save leaves the old file
// as it was, a file the user may not write is refused, a replaced file keeps its mode.
bool writeSetupFile(const QString& path, const SetupValues& values);

// Composes the path a typed name is saved under: spaces trimmed, every suffix removed from the
// file name (never from a folder name), the listed folder put in front of a bare name or a
// relative path, and ".C03" appended. Empty when no file name is left.
QString composeSetupPath(const QString& typed, const QString& listedFolder);

} // namespace alambix
