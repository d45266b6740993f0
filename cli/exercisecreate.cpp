// `alambix-cli exercise --create`: an exercise saved from its parts as the exercise editor's
// "Enregistrer l'exercice" saves it, then shown as `alambix-cli exercise` shows it.
#include "cli/clicklist.h"
#include "cli/exercisecommand.h"
#include "cli/printline.h"

#include "core/exercisefile.h"
#include "core/setupmodel.h"
#include "session/exercisedraft.h"

#include <QHash>

#include <cstdio>

namespace alambix::cli {

namespace {
int usageError(const QString& message) {
    printLine(QStringLiteral("alambix-cli exercise: ") + message, stderr);
    printLine(exerciseUsage(), stderr);
    return 2;
}

int failed(const DraftResult& result) {
    printLine(draftMessage(result).text, stderr);
    return 1;
}

using Options = QHash<QString, QString>;

// A document's set-up (`prefix` "--statement" or "--correction"): from a set-up file, or from
// clicks on the start-up state, or none.
DraftResult setupOf(const Options& given, const QString& prefix, std::optional<SetupValues>& out) {
    out.reset();
    const QString file = prefix + QStringLiteral("-setup");
    const QString clicks = prefix + QStringLiteral("-clicks");
    if (given.contains(file)) {
        SetupValues values{};
        const DraftResult read = readSetupValues(given.value(file), values);
        if (read.ok()) out = values;
        return read;
    }
    if (given.contains(clicks)) {
        SetupModel model;
        for (const QString& token : clickTokens(given.value(clicks)))
            applyClick(model, token);
        out = model.values();
    }
    return {};
}
} // namespace

int runExerciseCreate(const QStringList& args) {
    static const QStringList valued{"--create",           "--title",      "--level",
                                    "--notions",          "--statement",  "--statement-setup",
                                    "--statement-clicks", "--correction", "--correction-setup",
                                    "--correction-clicks"};
    Options given;
    for (int i = 0; i < args.size(); ++i) {
        const QString& option = args.at(i);
        if (!valued.contains(option))
            return usageError(QStringLiteral("option inconnue: ") + option);
        if (given.contains(option))
            return usageError(option + QStringLiteral(" est donnée deux fois"));
        if (i + 1 >= args.size()) return usageError(option + QStringLiteral(" attend une valeur"));
        given.insert(option, args.at(++i));
    }
    const QString out = given.value(QStringLiteral("--create"));
    if (!out.endsWith(QLatin1String(ExerciseSuffix), Qt::CaseInsensitive) ||
        out.size() <= int(sizeof(ExerciseSuffix)) - 1)
        return usageError(QStringLiteral("le fichier d'exercice doit finir par .E08: ") + out);
    for (const char* required : {"--title", "--statement"})
        if (!given.contains(QLatin1String(required)))
            return usageError(QStringLiteral("il manque ") + QLatin1String(required));
    for (const char* document : {"statement", "correction"}) {
        const QString prefix = QStringLiteral("--") + QLatin1String(document);
        if (given.contains(prefix + QStringLiteral("-setup")) &&
            given.contains(prefix + QStringLiteral("-clicks")))
            return usageError(prefix + QStringLiteral("-setup et ") + prefix +
                              QStringLiteral("-clicks ne vont pas ensemble"));
        if (const auto error =
                clickListError(clickTokens(given.value(prefix + QStringLiteral("-clicks")))))
            return usageError(*error);
    }
    int level = 0;
    if (given.contains(QStringLiteral("--level"))) {
        bool ok = false;
        level = given.value(QStringLiteral("--level")).toInt(&ok);
        if (!ok || level < 0 || level > ExerciseLevelMax)
            return usageError(QStringLiteral("le niveau va de 0 à 3: ") +
                              given.value(QStringLiteral("--level")));
    }

    // Every part is read before anything is written.
    ExerciseDraft draft;
    draft.setTitle(given.value(QStringLiteral("--title")));
    draft.setLevel(level);
    draft.setNotions(given.value(QStringLiteral("--notions")));
    DraftResult result =
        readDocumentFile(given.value(QStringLiteral("--statement")), draft.statement());
    if (!result.ok()) return failed(result);
    if (given.contains(QStringLiteral("--correction"))) {
        result = readDocumentFile(given.value(QStringLiteral("--correction")), draft.correction());
        if (!result.ok()) return failed(result);
    }
    std::optional<SetupValues> setup;
    result = setupOf(given, QStringLiteral("--statement"), setup);
    if (!result.ok()) return failed(result);
    draft.setStatementSetup(setup);
    result = setupOf(given, QStringLiteral("--correction"), setup);
    if (!result.ok()) return failed(result);
    draft.setCorrectionSetup(setup);

    result = draft.save(out);
    if (!result.ok()) return failed(result);
    return showExercise(out, false, std::nullopt);
}

} // namespace alambix::cli
