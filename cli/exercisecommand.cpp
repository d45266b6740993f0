#include "cli/exercisecommand.h"

#include "cli/clicklist.h"
#include "cli/printline.h"

#include "core/elements.h"
#include "core/exercisefile.h"
#include "core/filemessages.h"
#include "core/recognition.h"
#include "core/setupfile.h"
#include "session/exerciseopening.h"
#include "session/exercisesession.h"
#include "session/introtext.h"
#include "session/setupcheck.h"
#include "session/setupdocument.h"

#include <QFileInfo>
#include <QTextDocument>

#include <cstdio>

namespace alambix::cli {

QString exerciseUsage() {
    return QStringLiteral(
        "usage: alambix-cli exercise [--correction] FILE.E08\n"
        "       alambix-cli exercise --check FILE.E08 [--click LIST]\n"
        "       alambix-cli exercise --create OUT.E08 --title TITLE [--level N] [--notions TEXT]\n"
        "           --statement DOC.rtf [--statement-setup FILE.C03 | --statement-clicks LIST]\n"
        "           [--correction DOC.rtf] [--correction-setup FILE.C03 | --correction-clicks "
        "LIST]");
}

namespace {
int usageError(const QString& message) {
    printLine(QStringLiteral("alambix-cli exercise: ") + message, stderr);
    printLine(exerciseUsage(), stderr);
    return 2;
}

// One value on one line: line breaks, tabs and backslashes written as escapes.
QString escaped(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\n':
            out += QLatin1String("\\n");
            break;
        case '\r':
            out += QLatin1String("\\r");
            break;
        case '\t':
            out += QLatin1String("\\t");
            break;
        case '\\':
            out += QLatin1String("\\\\");
            break;
        default:
            out += c;
        }
    }
    return out;
}

void printItem(const char* key, const QString& value) {
    printLine(QLatin1String(key) + QStringLiteral(": ") + escaped(value), stdout);
}

int failed(const OpeningResult& result) {
    printLine(openingMessage(result).text, stderr);
    return 1;
}

// The set-up loader as the program runs it, its messages on stderr.
void loadSetup(SetupDocument& document) {
    const SetupReadResult read = readSetupFile(document.path());
    if (read.status != SetupReadStatus::Ok) {
        printLine(fileMessage(readOutcome(read.status)).text + QStringLiteral(": ") +
                      document.path(),
                  stderr);
        return;
    }
    applySetup(document.model(), valuesFromFlags(read.flags));
    document.nameFile();
}
} // namespace

int runExercise(const QStringList& args) {
    QString file;
    bool correction = false;
    bool check = false;
    QStringList clicks;
    bool clicksGiven = false;
    bool optionsEnded = false;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--")) break;
        if (arg == QLatin1String("--create")) return runExerciseCreate(args);
    }
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        // After "--" a word is a file, even one that begins with "-".
        if (optionsEnded || !arg.startsWith(QLatin1String("--"))) {
            if (!file.isEmpty()) return usageError(QStringLiteral("un seul fichier d'exercice"));
            file = arg;
        } else if (arg == QLatin1String("--"))
            optionsEnded = true;
        else if (arg == QLatin1String("--correction"))
            correction = true;
        else if (arg == QLatin1String("--check"))
            check = true;
        else if (arg == QLatin1String("--click")) {
            if (i + 1 >= args.size())
                return usageError(QStringLiteral("--click attend une valeur"));
            clicks += clickTokens(args.at(++i));
            clicksGiven = true;
        } else
            return usageError(QStringLiteral("option inconnue: ") + arg);
    }
    if (file.isEmpty()) return usageError(QStringLiteral("il manque le fichier d'exercice"));
    // The pupil checks the set-up before the correction is shown, never after.
    if (check && correction)
        return usageError(QStringLiteral("--check et --correction ne vont pas ensemble"));
    if (clicksGiven && !check) return usageError(QStringLiteral("--click va avec --check"));
    if (const auto error = clickListError(clicks)) return usageError(*error);

    return showExercise(file, correction,
                        check ? std::optional<QStringList>(clicks) : std::nullopt);
}

int showExercise(const QString& file, bool correction,
                 const std::optional<QStringList>& checkClicks) {
    // The start-up state: no exercise, the introduction in the panel, no set-up.
    ExerciseSession session;
    QTextDocument panel;
    writeIntroduction(panel);
    SetupDocument setup;
    ExerciseTarget target{session, panel, setup, [&setup] { loadSetup(setup); }};

    // Selecting the file in the list: its folder is `repexo`, and the preview reads it.
    const QString path = QFileInfo(file).absoluteFilePath();
    session.setRepexo(QFileInfo(path).absolutePath());
    const std::optional<ExercisePreview> preview = previewExerciseFile(path);
    if (!preview) return failed({OpeningStatus::ExerciseUnreadable, QString(), false});

    OpeningResult opened = openStatement(target, path, preview->corrected);
    if (opened.status != OpeningStatus::Opened) return failed(opened);
    QString document = opened.document;
    bool editable = opened.editable;
    if (correction) {
        const OpeningResult corrected = openCorrection(target);
        if (corrected.status != OpeningStatus::Opened) return failed(corrected);
        if (!corrected.document.isEmpty()) document = corrected.document;
        editable = corrected.editable;
    }
    // The pupil's clicks, then "Vérifier mon montage", as the pupil's first check.
    std::optional<SetupCheck> checked;
    if (checkClicks) {
        for (const QString& token : *checkClicks)
            applyClick(setup.model(), token);
        checked = checkSetup(session, setup.model().values());
        if (checked->status != CheckStatus::Checked) {
            printLine(checkMessage(*checked).text, stderr);
            return 1;
        }
    }

    printItem("title", preview->title);
    printItem("lamps", QString::number(preview->litLamps()));
    printItem("corrected", preview->corrected ? QStringLiteral("Exercice corrigé")
                                              : QStringLiteral("Non corrigé"));
    printItem("notions", preview->notions);
    printItem("text", document);
    printItem("editable", editable ? QStringLiteral("yes") : QStringLiteral("no"));
    printItem("caption", setup.title());
    printItem("name", recogniseSetup(setup.model().values()));
    printItem("elements", setupText(setup.model().values()));
    printItem("enabled", setupText(setup.model().enabledStates()));
    if (checked) {
        auto indices = [](const std::vector<int>& elements) {
            QStringList list;
            for (int k : elements)
                list << QString::number(k);
            return list.join(QLatin1Char(','));
        };
        const bool right = checked->difference.isRight();
        printItem("verdict", right ? QStringLiteral("correct") : QStringLiteral("incorrect"));
        printItem("missing", indices(checked->difference.missing));
        printItem("extra", indices(checked->difference.extra));
        printItem("hint", right ? QString() : checked->text);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}

} // namespace alambix::cli
