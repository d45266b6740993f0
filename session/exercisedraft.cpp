#include "session/exercisedraft.h"

#include "core/blanks.h"
#include "core/exercisefile.h"
#include "core/filemessages.h"
#include "core/recordfile.h"
#include "core/safewrite.h"
#include "core/setupfile.h"
#include "core/setupmodel.h"
#include "core/textcodec.h"
#include "drawing/fonts.h"
#include "richtext/rtfreader.h"
#include "richtext/rtfwriter.h"
#include "session/picturedisplay.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace alambix {

namespace {

// The documents' font where their text has none of its own.
QFont documentFont() {
    return windowFont(10);
}

QString exerciseName(const QString& exercisePath) {
    const QString name = QFileInfo(exercisePath).fileName();
    return name.endsWith(QLatin1String(ExerciseSuffix), Qt::CaseInsensitive)
               ? name.chopped(int(sizeof(ExerciseSuffix)) - 1)
               : name;
}

QString quoted(const QString& characters) {
    return QStringLiteral("« ") + characters + QStringLiteral(" »");
}

// "ce caractère" or "ces caractères", for the characters found.
QString theseCharacters(const QString& characters) {
    return characters.size() > 1 && !(characters.size() == 2 && characters.at(0).isHighSurrogate())
               ? QStringLiteral("ces caractères")
               : QStringLiteral("ce caractère");
}

// A text of the exercise file: not longer than `max`, every character one the file can hold.
DraftResult checkText(const QString& text, int max, DraftProblem tooLong,
                      DraftProblem unencodable) {
    const QString refused = unencodableInWindows1252(text);
    if (!refused.isEmpty()) return {unencodable, refused, 0};
    if (text.size() > max) return {tooLong, QString(), int(text.size())};
    return {};
}

// A file name a record of the exercise file will hold.
DraftResult checkName(const QString& name) {
    const QString refused = unencodableInWindows1252(name);
    if (!refused.isEmpty())
        return {DraftProblem::NameUnencodable, name + QLatin1Char('\n') + refused, 0};
    if (name.size() > RecordTextMax) return {DraftProblem::NameTooLong, name, int(name.size())};
    return {};
}

bool holdsSomething(const QTextDocument& document) {
    return !document.toRawText().trimmed().isEmpty();
}

} // namespace

ExerciseMessage draftMessage(const DraftResult& result) {
    const QString& subject = result.subject;
    const QString length = QString::number(result.length);
    auto setupMessage = [&subject](FileOutcome outcome) {
        const FileMessage message = fileMessage(outcome);
        return ExerciseMessage{message.title, message.text + QStringLiteral(": ") + subject};
    };
    switch (result.problem) {
    case DraftProblem::None:
        break;
    case DraftProblem::ExerciseUnreadable:
        return unreadableExerciseMessage();
    case DraftProblem::DocumentMissing:
        return {QStringLiteral("Fichier absent"),
                QStringLiteral("Le fichier ") + subject + QStringLiteral(" est introuvable")};
    case DraftProblem::DocumentUnreadable:
        return {QStringLiteral("Lecture impossible"),
                QStringLiteral("Le fichier ") + subject +
                    QStringLiteral(" ne peut pas être lu.\nVérifier l'état du lecteur.")};
    case DraftProblem::DocumentNotRtf:
        return {QStringLiteral("Fichier non valide"),
                QStringLiteral("Le fichier ") + subject +
                    QStringLiteral(" n'est pas un texte au format RTF")};
    case DraftProblem::SetupMissing:
        return setupMessage(FileOutcome::BadPath);
    case DraftProblem::SetupUnreadable:
        return setupMessage(FileOutcome::ReadError);
    case DraftProblem::NotASetupFile:
        return setupMessage(FileOutcome::NotASetupFile);
    case DraftProblem::TitleBlank:
        return {QStringLiteral("Exercice sans titre"),
                QStringLiteral("Il faut donner un titre à l'exercice.")};
    case DraftProblem::TitleTooLong:
        return {QStringLiteral("Titre trop long"),
                QStringLiteral("Le titre a ") + length +
                    QStringLiteral(" caractères : un exercice en garde 126 au plus.")};
    case DraftProblem::TitleUnencodable:
        return {QStringLiteral("Caractère impossible"),
                QStringLiteral("Le titre contient ") + quoted(subject) +
                    QStringLiteral(" : le fichier d'exercice ne peut pas enregistrer ") +
                    theseCharacters(subject) + QLatin1Char('.')};
    case DraftProblem::NotionsTooLong:
        return {QStringLiteral("Notions trop longues"),
                QStringLiteral("Les notions ont ") + length +
                    QStringLiteral(" caractères : un exercice en garde 504 au plus.")};
    case DraftProblem::NotionsUnencodable:
        return {QStringLiteral("Caractère impossible"),
                QStringLiteral("Les notions contiennent ") + quoted(subject) +
                    QStringLiteral(" : le fichier d'exercice ne peut pas enregistrer ") +
                    theseCharacters(subject) + QLatin1Char('.')};
    case DraftProblem::NameTooLong:
        return {QStringLiteral("Nom trop long"),
                QStringLiteral("Le nom ") + subject + QStringLiteral(" a ") + length +
                    QStringLiteral(" caractères : un fichier d'exercice ne nomme que des "
                                   "fichiers de 126 caractères au plus. Choisir un nom plus "
                                   "court.")};
    case DraftProblem::NameUnencodable: {
        const QString name = subject.section(QLatin1Char('\n'), 0, 0);
        const QString refused = subject.section(QLatin1Char('\n'), 1);
        return {QStringLiteral("Nom impossible"),
                QStringLiteral("Le nom ") + name + QStringLiteral(" contient ") + quoted(refused) +
                    QStringLiteral(" : le fichier d'exercice ne peut pas enregistrer ") +
                    theseCharacters(refused) + QStringLiteral(". Choisir un autre nom.")};
    }
    case DraftProblem::Refused:
        return {QStringLiteral("Enregistrement impossible"),
                QStringLiteral("Un fichier de l'exercice ne peut pas être remplacé dans ") +
                    subject +
                    QStringLiteral(" (il est protégé en écriture, ou c'est un dossier) : aucun "
                                   "fichier n'a été modifié.")};
    case DraftProblem::WriteFailed:
        return {QStringLiteral("Enregistrement impossible"),
                QStringLiteral("Ecriture impossible sur disque dans ") + subject +
                    QStringLiteral(" : aucun fichier de l'exercice n'a été modifié.")};
    }
    return {};
}

DraftResult readDocumentFile(const QString& path, QTextDocument& document) {
    QFile file(path);
    if (!QFileInfo(path).isFile()) return {DraftProblem::DocumentMissing, path, 0};
    if (!file.open(QIODevice::ReadOnly)) return {DraftProblem::DocumentUnreadable, path, 0};
    switch (readRtf(file, document)) {
    case RtfReadError::None:
        return {};
    case RtfReadError::NotRtf:
        return {DraftProblem::DocumentNotRtf, path, 0};
    case RtfReadError::ReadFailed:
    case RtfReadError::TooLarge:
        break;
    }
    return {DraftProblem::DocumentUnreadable, path, 0};
}

DraftResult readSetupValues(const QString& path, SetupValues& values) {
    if (!QFileInfo(path).isFile()) return {DraftProblem::SetupMissing, path, 0};
    const SetupReadResult read = readSetupFile(path);
    switch (read.status) {
    case SetupReadStatus::Ok:
        break;
    case SetupReadStatus::NotASetupFile:
        return {DraftProblem::NotASetupFile, path, 0};
    case SetupReadStatus::ReadError:
        return {DraftProblem::SetupUnreadable, path, 0};
    }
    SetupModel model;
    applySetup(model, valuesFromFlags(read.flags));
    values = model.values();
    return {};
}

bool copyAsSaved(const QTextDocument& document, QTextDocument& copy) {
    QByteArray bytes;
    QBuffer out(&bytes);
    if (!out.open(QIODevice::WriteOnly) || !writeRtf(document, out)) return false;
    QBuffer in(&bytes);
    return in.open(QIODevice::ReadOnly) && readRtf(in, copy) == RtfReadError::None;
}

ExerciseFiles exerciseFiles(const QString& exercisePath) {
    const QFileInfo info(exercisePath);
    const QString folder = info.absolutePath() + QLatin1Char('/');
    const QString name = exerciseName(exercisePath);
    return {info.absoluteFilePath(), folder + name + QStringLiteral(".rtf"),
            folder + name + QLatin1String(SetupSuffix),
            folder + name + QStringLiteral("-corrige.rtf"),
            folder + name + QStringLiteral("-corrige") + QLatin1String(SetupSuffix)};
}

ExerciseDraft::ExerciseDraft(QObject* parent) : QObject(parent) {
    for (QTextDocument* document : {&m_statement, &m_correction}) {
        document->setDefaultFont(documentFont());
        showPicturesSmoothly(*document);
        connect(document, &QTextDocument::modificationChanged, this,
                &ExerciseDraft::modificationChanged);
    }
    // A picture copied from one document into the other is found in the one it came from
    // (picture names are never shared by two pictures).
    auto otherFinds = [](const QTextDocument& other) {
        return [&other](const QUrl& name) -> QVariant {
            // The other document asking back means neither has it.
            static bool asking = false;
            if (asking) return {};
            asking = true;
            const QVariant found = other.resource(QTextDocument::UserResource, name);
            asking = false;
            return found;
        };
    };
    m_statement.setResourceProvider(otherFinds(m_correction));
    m_correction.setResourceProvider(otherFinds(m_statement));
}

void ExerciseDraft::setTitle(const QString& title) {
    if (title == m_title) return;
    m_title = title;
    setModified(true);
}

void ExerciseDraft::setLevel(int level) {
    level = std::clamp(level, 0, ExerciseLevelMax);
    if (level == m_level) return;
    m_level = level;
    setModified(true);
}

void ExerciseDraft::setNotions(const QString& notions) {
    if (notions == m_notions) return;
    m_notions = notions;
    setModified(true);
}

bool ExerciseDraft::hasCorrection() const {
    return holdsSomething(m_correction);
}

void ExerciseDraft::setStatementSetup(const std::optional<SetupValues>& values) {
    if (values == m_statementSetup) return;
    m_statementSetup = values;
    setModified(true);
}

void ExerciseDraft::setCorrectionSetup(const std::optional<SetupValues>& values) {
    if (values == m_correctionSetup) return;
    m_correctionSetup = values;
    setModified(true);
}

bool ExerciseDraft::isModified() const {
    return m_modified || m_statement.isModified() || m_correction.isModified();
}

void ExerciseDraft::setModified(bool modified) {
    const bool was = isModified();
    m_modified = modified;
    if (!modified) {
        m_statement.setModified(false);
        m_correction.setModified(false);
    }
    if (isModified() != was) emit modificationChanged();
}

std::vector<DraftResult> ExerciseDraft::load(const QString& path) {
    const std::optional<ExerciseRecords> records = readExerciseFile(path);
    if (!records) return {{DraftProblem::ExerciseUnreadable, path, 0}};
    const QString folder = QFileInfo(path).absolutePath() + QLatin1Char('/');
    std::vector<DraftResult> problems;
    auto document = [&](const QString& name, QTextDocument& target) {
        target.clear();
        if (trimBlanks(name).isEmpty()) return;
        const DraftResult read = readDocumentFile(resolveInFolder(folder, name), target);
        if (!read.ok()) problems.push_back(read);
    };
    auto setup = [&](const QString& name) -> std::optional<SetupValues> {
        if (trimBlanks(name).isEmpty()) return std::nullopt;
        SetupValues values{};
        const DraftResult read = readSetupValues(resolveInFolder(folder, name), values);
        if (read.ok()) return values;
        problems.push_back(read);
        return std::nullopt;
    };
    m_title = records->title;
    m_level = records->level;
    m_notions = records->notions;
    document(records->statement, m_statement);
    document(records->correction, m_correction);
    m_statementSetup = setup(records->statementSetup);
    m_correctionSetup = setup(records->correctionSetup);
    for (QTextDocument* text : {&m_statement, &m_correction})
        text->clearUndoRedoStacks();
    m_path = QFileInfo(path).absoluteFilePath();
    setModified(false);
    return problems;
}

DraftResult ExerciseDraft::check(const QString& path) const {
    const QString title = trimBlanks(m_title);
    if (title.isEmpty()) return {DraftProblem::TitleBlank, QString(), 0};
    DraftResult result = checkText(title, ExerciseTitleMax, DraftProblem::TitleTooLong,
                                   DraftProblem::TitleUnencodable);
    if (!result.ok()) return result;
    result = checkText(m_notions, ExerciseNotionsMax, DraftProblem::NotionsTooLong,
                       DraftProblem::NotionsUnencodable);
    if (!result.ok()) return result;
    const ExerciseFiles files = exerciseFiles(path);
    QStringList names{QFileInfo(files.statement).fileName()};
    if (m_statementSetup) names << QFileInfo(files.statementSetup).fileName();
    if (hasCorrection()) names << QFileInfo(files.correction).fileName();
    if (m_correctionSetup) names << QFileInfo(files.correctionSetup).fileName();
    for (const QString& name : names) {
        result = checkName(name);
        if (!result.ok()) return result;
    }
    return {};
}

QStringList ExerciseDraft::existingFiles(const QString& path) const {
    const ExerciseFiles files = exerciseFiles(path);
    QStringList existing;
    const bool written[] = {true, true, m_statementSetup.has_value(), hasCorrection(),
                            m_correctionSetup.has_value()};
    const QString paths[] = {files.exercise, files.statement, files.statementSetup,
                             files.correction, files.correctionSetup};
    for (int i = 0; i < 5; ++i)
        if (written[i] && QFileInfo::exists(paths[i])) existing << paths[i];
    return existing;
}

DraftResult ExerciseDraft::save(const QString& path) {
    DraftResult result = check(path);
    if (!result.ok()) return result;
    const ExerciseFiles files = exerciseFiles(path);
    auto nameOf = [](const QString& file) { return QFileInfo(file).fileName(); };
    ExerciseRecords records;
    records.statement = nameOf(files.statement);
    records.level = m_level;
    records.notions = m_notions;
    records.title = trimBlanks(m_title);

    // The documents first, the exercise file that names them last.
    std::vector<FileToWrite> writes;
    writes.push_back(
        {files.statement, [this](QIODevice& device) { return writeRtf(m_statement, device); }});
    if (m_statementSetup) {
        records.statementSetup = nameOf(files.statementSetup);
        const SetupValues values = *m_statementSetup;
        writes.push_back({files.statementSetup,
                          [values](QIODevice& device) { return writeSetup(device, values); }});
    }
    if (hasCorrection()) {
        records.correction = nameOf(files.correction);
        writes.push_back({files.correction,
                          [this](QIODevice& device) { return writeRtf(m_correction, device); }});
    }
    if (m_correctionSetup) {
        records.correctionSetup = nameOf(files.correctionSetup);
        const SetupValues values = *m_correctionSetup;
        writes.push_back({files.correctionSetup,
                          [values](QIODevice& device) { return writeSetup(device, values); }});
    }
    writes.push_back(
        {files.exercise, [&records](QIODevice& device) { return writeExercise(device, records); }});

    const QString folder = QDir::toNativeSeparators(QFileInfo(files.exercise).absolutePath());
    switch (writeFilesSafely(writes)) {
    case WriteOutcome::Written:
        break;
    case WriteOutcome::Refused:
        return {DraftProblem::Refused, folder, 0};
    case WriteOutcome::Failed:
        return {DraftProblem::WriteFailed, folder, 0};
    }
    m_path = files.exercise;
    setModified(false);
    return {};
}

} // namespace alambix
