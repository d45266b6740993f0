#include "core/setupfile.h"

#include "core/blanks.h"
#include "core/recordfile.h"
#include "core/safewrite.h"
#include "core/setupmodel.h"

#include <QFile>
#include <QFileInfo>

namespace alambix {

SetupReadResult readSetup(QIODevice& device) {
    const auto signature = readRecord(device, 1);
    if (!signature) return {SetupReadStatus::ReadError, {}};
    if (*signature != QLatin1String(SetupSignature)) return {SetupReadStatus::NotASetupFile, {}};
    const auto flags = readRecord(device, 2);
    if (!flags) return {SetupReadStatus::ReadError, {}};
    return {SetupReadStatus::Ok, trimBlanks(*flags)};
}

SetupReadResult readSetupFile(const QString& path) {
    // A missing file is an empty one: it has no signature.
    if (!QFileInfo::exists(path)) return {SetupReadStatus::NotASetupFile, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {SetupReadStatus::ReadError, {}};
    return readSetup(file);
}

SetupValues valuesFromFlags(const QString& flags) {
    SetupValues values{};
    for (int i = 0; i < ElementCount && i < flags.size(); ++i)
        values.at(static_cast<std::size_t>(i)) = flags.at(i) == QLatin1Char('1');
    return values;
}

void applySetup(SetupModel& model, const SetupValues& values) {
    for (int i = 0; i < ElementCount; ++i)
        model.setValue(i, values.at(static_cast<std::size_t>(i)));
}

bool writeSetup(QIODevice& device, const SetupValues& values) {
    return writeRecord(device, 1, QLatin1String(SetupSignature)) &&
           writeRecord(device, 2, setupText(values));
}

bool writeSetupFile(const QString& path, const SetupValues& values) {
    return writeFileSafely(path, [&values](QIODevice& device) {
               return writeSetup(device, values);
           }) == WriteOutcome::Written;
}

QString composeSetupPath(const QString& typed, const QString& listedFolder) {
    QString text = trimBlanks(typed);
    // Suffixes come off the file name one at a time; a dot in a folder name stays.
    for (;;) {
        const qsizetype nameStart = text.lastIndexOf(QLatin1Char('/')) + 1;
        const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
        if (dot < nameStart) break;
        text = trimBlanks(text.left(dot));
    }
    const qsizetype nameStart = text.lastIndexOf(QLatin1Char('/')) + 1;
    if (trimBlanks(text.mid(nameStart)).isEmpty()) return QString();
    if (!text.startsWith(QLatin1Char('/'))) {
        const QString separator =
            listedFolder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/");
        text = listedFolder + separator + text;
    }
    return text + QLatin1String(SetupSuffix);
}

} // namespace alambix
