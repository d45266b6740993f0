#pragma once
// The program's French messages about set-up files, in one place: the dialogs, the loader and
// alambix-cli all show these.

#include "core/setupfile.h"

#include <QString>

namespace alambix {

enum class FileOutcome {
    NotASetupFile, // read: the file is not one of ours
    ReadError,     // read: the disk gave an error
    BadPath,       // open: no file at the path chosen
    NoName,        // save: no file name left once the typed text is cleaned
    AlreadyExists, // save: a file of that name is there (a question, not an error)
    WriteError,    // save or export: the file could not be written
};

struct FileMessage {
    QString title;
    QString text;
};

FileMessage fileMessage(FileOutcome outcome);
// The outcome a failed read reports (Ok is not a failure and is never asked for).
FileOutcome readOutcome(SetupReadStatus status);

} // namespace alambix
