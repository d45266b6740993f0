#include "core/exercisefile.h"

#include "core/blanks.h"
#include "core/recordfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace alambix {

namespace {

bool isBlank(const QString& text) {
    return trimBlanks(text).isEmpty();
}

std::optional<ExerciseDocument> readPair(const QString& path, int first) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const auto text = readRecord(file, first);
    const auto setup = readRecord(file, first + 1);
    if (!text || !setup) return std::nullopt;
    return ExerciseDocument{*text, *setup};
}

} // namespace

int ExercisePreview::litLamps() const {
    int lit = 0;
    for (int i = 0; i < 3; ++i)
        lit += level > i ? 1 : 0;
    return lit;
}

std::optional<ExercisePreview> previewExercise(QIODevice& device) {
    const auto correction = readRecord(device, 3);
    const auto correctionSetup = readRecord(device, 4);
    if (!correction || !correctionSetup) return std::nullopt;
    ExercisePreview preview;
    preview.corrected = !isBlank(*correction) || !isBlank(*correctionSetup);
    // From here a record that cannot be read is passed over as blank.
    preview.level = leadingNumber(readRecord(device, 5).value_or(QString()));
    for (int number = 7; number <= 10; ++number) {
        const QString piece = readRecord(device, number).value_or(QString());
        if (!isBlank(piece)) preview.notions += piece;
    }
    preview.title = trimBlanks(readRecord(device, 11).value_or(QString()));
    return preview;
}

std::optional<ExercisePreview> previewExerciseFile(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
    return previewExercise(file);
}

std::optional<ExerciseDocument> readStatement(const QString& path) {
    return readPair(path, 1);
}

std::optional<ExerciseDocument> readCorrection(const QString& path) {
    return readPair(path, 3);
}

bool writeExercise(QIODevice& device, const ExerciseRecords& records) {
    if (records.notions.size() > ExerciseNotionsMax) return false;
    QStringList texts{records.statement,
                      records.statementSetup,
                      records.correction,
                      records.correctionSetup,
                      QString::number(std::clamp(records.level, 0, ExerciseLevelMax)),
                      QString()};
    for (int piece = 0; piece < 4; ++piece)
        texts << records.notions.mid(piece * RecordTextMax, RecordTextMax);
    texts << records.title;
    for (int number = 1; number <= int(texts.size()); ++number)
        if (!writeRecord(device, number, texts.at(number - 1))) return false;
    return true;
}

std::optional<ExerciseRecords> readExerciseFile(const QString& path) {
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return std::nullopt;
    const std::optional<ExercisePreview> preview = previewExercise(file);
    if (!preview) return std::nullopt;
    ExerciseRecords records;
    QString* names[] = {&records.statement, &records.statementSetup, &records.correction,
                        &records.correctionSetup};
    for (int number = 1; number <= 4; ++number) {
        const std::optional<QString> name = readRecord(file, number);
        if (!name) return std::nullopt;
        *names[number - 1] = *name;
    }
    // The level as the lamps show it: 2.5 lights three.
    records.level = preview->litLamps();
    records.notions = preview->notions;
    records.title = preview->title;
    return records;
}

double leadingNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto digit = [&](qsizetype at) {
        return at < n && text.at(at).isDigit() && text.at(at).unicode() < 128;
    };
    while (i < n && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-'))) ++i;
    qsizetype digits = 0;
    while (digit(i)) {
        ++i;
        ++digits;
    }
    if (i < n && text.at(i) == QLatin1Char('.')) {
        ++i;
        while (digit(i)) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) return 0;
    qsizetype end = i;
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        qsizetype e = i + 1;
        if (e < n && (text.at(e) == QLatin1Char('+') || text.at(e) == QLatin1Char('-'))) ++e;
        if (digit(e)) {
            while (digit(e))
                ++e;
            end = e;
        }
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    return ok ? value : 0;
}

QString resolveInFolder(const QString& folder, const QString& name) {
    const QString written = folder + name;
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || QFileInfo::exists(written))
        return written;
    const QStringList entries = QDir(folder).entryList(
        QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    QString found;
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) != 0) continue;
        if (!found.isEmpty()) return written; // two candidates: none is the right one
        found = entry;
    }
    return found.isEmpty() ? written : folder + found;
}

} // namespace alambix
