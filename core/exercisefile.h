#pragma once
// Exercise files (".E08"): eleven records naming the statement and correction documents and
// their set-up files, with a level, a notions text and a title. File names are plain names,
// resolved against the folder of the exercise file (`repexo`).

#include <QString>

#include <optional>

class QIODevice;

namespace alambix {

inline constexpr char ExerciseSuffix[] = ".E08";

// What the exercise window's preview shows.
struct ExercisePreview {
    bool corrected = false; // record 3 or record 4 is not blank
    double level = 0;       // the leading number of record 5, 0 when there is none
    QString notions;        // records 7 to 10 that are not blank, untrimmed, end to end
    QString title;          // record 11 trimmed

    // Lamp i (0, 1, 2) is lit when the level is above i.
    int litLamps() const;
};

// A document and the set-up file that goes with it, names as stored (untrimmed).
struct ExerciseDocument {
    QString text;  // RTF document; blank means none
    QString setup; // set-up file; blank means none
};

// What an exercise file holds, as written: the four file names (blank for none), the level, the
// notions and the title.
struct ExerciseRecords {
    QString statement;
    QString statementSetup;
    QString correction;
    QString correctionSetup;
    int level = 0;
    QString notions;
    QString title;
};

// The longest title (record 11) and notions (records 7 to 10, 126 characters each).
inline constexpr int ExerciseTitleMax = 126;
inline constexpr int ExerciseNotionsMax = 4 * 126;
inline constexpr int ExerciseLevelMax = 3;

// Writes the eleven records to an empty device: the names, the level as a digit, record 6
// blank, the notions cut into pieces of 126 characters in order (blank records after the last
// piece), the title. Fails on a text a record cannot hold (too long, or a character
// Windows-1252 cannot encode) or a device error.
bool writeExercise(QIODevice& device, const ExerciseRecords& records);

// Every record of an exercise file, read back: the names as stored, the level as the lamps it
// lights, the notions and the trimmed title as the preview shows them. Fails as
// previewExercise() does, or when a name cannot be read.
std::optional<ExerciseRecords> readExerciseFile(const QString& path);

// The preview of an exercise file. Fails (nullopt) when the file cannot be opened or records
// 3 and 4 cannot be read; a damaged record after them reads as blank.
std::optional<ExercisePreview> previewExercise(QIODevice& device);
std::optional<ExercisePreview> previewExerciseFile(const QString& path);

// Records 1 and 2 (the statement) or 3 and 4 (the correction). Fails when the file cannot be
// opened or either record cannot be read.
std::optional<ExerciseDocument> readStatement(const QString& path);
std::optional<ExerciseDocument> readCorrection(const QString& path);

// The leading number of a text: blanks, a sign, digits, a decimal point and an exponent, as far
// as they form a number; 0 when the text does not start with one.
double leadingNumber(const QString& text);

// `folder` + `name`. Exercise packs made on other systems do not always agree with the disk on
// the case of a name ("ENONCE1.RTF" for "enonce1.rtf"): when the name does not exist as written,
// the one entry of the folder that matches it in any case is used instead.
QString resolveInFolder(const QString& folder, const QString& name);

} // namespace alambix
