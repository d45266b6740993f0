#pragma once
// The exercise being made or changed: its title, level and notions, its statement and its
// correction, and the set-up that goes with each. The exercise editor shows one; alambix-cli
// exercise --create and the starter pack's maker fill one from files. Saved as NAME.E08 with
// NAME.rtf, NAME-corrige.rtf, NAME.C03 and NAME-corrige.C03 beside it, all of them or none.

#include "core/elements.h"
#include "session/exerciseopening.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTextDocument>

#include <optional>
#include <vector>

namespace alambix {

enum class DraftProblem {
    None,
    ExerciseUnreadable, // the exercise file cannot be opened or read
    DocumentMissing,    // no document at the path
    DocumentUnreadable, // the document cannot be read (a disk error, or far too large)
    DocumentNotRtf,     // the file holds no RTF document
    SetupMissing,       // no set-up file at the path
    SetupUnreadable,    // the set-up file cannot be read
    NotASetupFile,      // the file is not a set-up file of ours
    TitleBlank,
    TitleTooLong,
    TitleUnencodable, // a character Windows-1252 cannot hold
    NotionsTooLong,
    NotionsUnencodable,
    NameTooLong, // a file name a record cannot hold
    NameUnencodable,
    Refused,     // a file to be replaced may not be written
    WriteFailed, // a file could not be written: none changed
};

struct DraftResult {
    DraftProblem problem = DraftProblem::None;
    // The file, the name or the characters the problem is about.
    QString subject;
    // The length found too long.
    int length = 0;

    bool ok() const { return problem == DraftProblem::None; }
};

// The program's French message for a problem; empty for None.
ExerciseMessage draftMessage(const DraftResult& result);

// An RTF document file into `document`, through the program's reader; the document is left as
// it was on a failure.
DraftResult readDocumentFile(const QString& path, QTextDocument& document);
// The set-up a set-up file holds, as the loader leaves it once the rules ran.
DraftResult readSetupValues(const QString& path, SetupValues& values);

// `document` as the pupil will get it: written by the program's RTF writer and read back into
// `copy`. False when that fails (then `copy` is left as it was).
bool copyAsSaved(const QTextDocument& document, QTextDocument& copy);

// The files an exercise saved as `exercisePath` is made of: NAME.E08 itself, then NAME.rtf,
// NAME.C03, NAME-corrige.rtf and NAME-corrige.C03, NAME being the file's name without ".E08".
struct ExerciseFiles {
    QString exercise;
    QString statement;
    QString statementSetup;
    QString correction;
    QString correctionSetup;
};
ExerciseFiles exerciseFiles(const QString& exercisePath);

class ExerciseDraft : public QObject {
    Q_OBJECT
public:
    explicit ExerciseDraft(QObject* parent = nullptr);

    QString title() const { return m_title; }
    void setTitle(const QString& title);
    int level() const { return m_level; }
    void setLevel(int level); // 0 to 3
    QString notions() const { return m_notions; }
    void setNotions(const QString& notions);

    QTextDocument& statement() { return m_statement; }
    const QTextDocument& statement() const { return m_statement; }
    QTextDocument& correction() { return m_correction; }
    const QTextDocument& correction() const { return m_correction; }
    // A correction is saved when its document holds something: text or a picture.
    bool hasCorrection() const;

    // The set-up of each document; none when the exercise has none.
    const std::optional<SetupValues>& statementSetup() const { return m_statementSetup; }
    void setStatementSetup(const std::optional<SetupValues>& values);
    const std::optional<SetupValues>& correctionSetup() const { return m_correctionSetup; }
    void setCorrectionSetup(const std::optional<SetupValues>& values);

    // The exercise file it was read from or last saved as; empty for a new exercise.
    QString path() const { return m_path; }

    // Changed since it was made, read or saved.
    bool isModified() const;

    // Reads every part of the exercise file `path`, its names found in any case as the exercise
    // window finds them. ExerciseUnreadable leaves the draft as it was. Otherwise the draft holds
    // the exercise and the problems list the parts that could not be read (then left empty).
    std::vector<DraftResult> load(const QString& path);

    // Whether the draft may be saved as `path`: its title, notions and the names it would write.
    DraftResult check(const QString& path) const;
    // The files that saving as `path` would replace.
    QStringList existingFiles(const QString& path) const;
    // Checks, then writes every file of the exercise as one: on a failure none changed.
    DraftResult save(const QString& path);

signals:
    // isModified() may have changed.
    void modificationChanged();

private:
    void setModified(bool modified);

    QString m_title;
    int m_level = 0;
    QString m_notions;
    QTextDocument m_statement;
    QTextDocument m_correction;
    std::optional<SetupValues> m_statementSetup;
    std::optional<SetupValues> m_correctionSetup;
    QString m_path;
    bool m_modified = false;
};

} // namespace alambix
