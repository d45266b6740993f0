#include "cli/drawcommand.h"

#include "cli/clicklist.h"
#include "cli/printline.h"

#include "core/explain.h"
#include "core/filemessages.h"
#include "core/recognition.h"
#include "core/setupfile.h"
#include "core/setupmodel.h"
#include "drawing/drawingexport.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <optional>

namespace alambix::cli {

namespace {
int usageError(const QString& message) {
    printLine(QStringLiteral("alambix-cli draw: ") + message, stderr);
    printLine(
        QStringLiteral(
            "usage: alambix-cli draw [--load FILE.C03] [--click LIST] [--save FILE.C03]\n"
            "                        [--no-background] [--output FILE.png|FILE.svg|FILE.pdf]\n"
            "                        [--labels names|numbers] [--black-white] [--explain]"),
        stderr);
    return 2;
}

struct DrawOptions {
    QString load;
    QStringList clicks;
    QString save;
    QString output;
    bool withBackground = true;
    bool blackWhite = false;
    LabelMode labels = LabelMode::None;
    bool explain = false;
};

// Parses the options; returns an error message on a wrong argument.
std::optional<QString> parse(const QStringList& args, DrawOptions& options) {
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        auto value = [&](QString& target) -> std::optional<QString> {
            if (i + 1 >= args.size()) return QStringLiteral("%1 attend une valeur").arg(arg);
            target = args.at(++i);
            return std::nullopt;
        };
        std::optional<QString> error;
        if (arg == QLatin1String("--load"))
            error = value(options.load);
        else if (arg == QLatin1String("--save"))
            error = value(options.save);
        else if (arg == QLatin1String("--output"))
            error = value(options.output);
        else if (arg == QLatin1String("--click")) {
            QString list;
            error = value(list);
            if (!error) options.clicks += clickTokens(list);
        } else if (arg == QLatin1String("--no-background"))
            options.withBackground = false;
        else if (arg == QLatin1String("--explain"))
            options.explain = true;
        else if (arg == QLatin1String("--black-white"))
            options.blackWhite = true;
        else if (arg == QLatin1String("--labels")) {
            QString mode;
            error = value(mode);
            if (mode == QLatin1String("names"))
                options.labels = LabelMode::Names;
            else if (mode == QLatin1String("numbers"))
                options.labels = LabelMode::Numbers;
            else if (!error)
                error = QStringLiteral("--labels attend names ou numbers: %1").arg(mode);
        } else
            error = QStringLiteral("option inconnue: %1").arg(arg);
        if (error) return error;
    }
    return clickListError(options.clicks);
}

QString number(double value) {
    return QString::number(value, 'g', 8);
}

// The labelled picture's size, then its labels in number order.
void printLabels(const LabelLayout& layout) {
    printLine(QStringLiteral("canvas: %1x%2 drawing at %3,%4")
                  .arg(layout.size.width())
                  .arg(layout.size.height())
                  .arg(layout.drawingAt.x())
                  .arg(layout.drawingAt.y()),
              stdout);
    for (const PlacedLabel& label : layout.labels)
        printLine(QStringLiteral("label: %1 | %2 | %3 | %4,%5 | %6,%7,%8,%9")
                      .arg(label.number)
                      .arg(partId(label.part), label.name, number(label.anchor.x()),
                           number(label.anchor.y()), number(label.box.x()), number(label.box.y()),
                           number(label.box.width()))
                      .arg(number(label.box.height())),
                  stdout);
}

// The program's message for a file, followed by the file's path.
QString messageAbout(FileOutcome outcome, const QString& path) {
    return fileMessage(outcome).text + QStringLiteral(": ") + path;
}

// Loads a set-up file as the open dialog does; returns the program's message on failure.
std::optional<QString> loadSetup(SetupModel& model, const QString& path) {
    if (!QFileInfo(path).isFile()) return messageAbout(FileOutcome::BadPath, path);
    const SetupReadResult result = readSetupFile(path);
    if (result.status != SetupReadStatus::Ok) return messageAbout(readOutcome(result.status), path);
    applySetup(model, valuesFromFlags(result.flags));
    return std::nullopt;
}

// Saves as the save dialog does, the current folder standing for the listed one; an existing
// file is replaced without a question, as scripts expect.
std::optional<QString> saveSetup(const SetupModel& model, const QString& typed) {
    const QString path = composeSetupPath(typed, QDir::currentPath());
    if (path.isEmpty()) return fileMessage(FileOutcome::NoName).text;
    if (!writeSetupFile(path, model.values())) return messageAbout(FileOutcome::WriteError, path);
    return std::nullopt;
}
} // namespace

int runDraw(const QStringList& args) {
    DrawOptions options;
    if (const auto error = parse(args, options)) return usageError(*error);
    SetupModel model;
    if (!options.load.isEmpty()) {
        if (const auto error = loadSetup(model, options.load)) {
            printLine(*error, stderr);
            return 1;
        }
    }
    // What the rules switched off on the last click; "&Nouveau", a refused click or a load
    // removes nothing by a rule of a click.
    std::vector<SwitchOff> lastClickSwitchOffs;
    for (const QString& token : options.clicks) {
        lastClickSwitchOffs.clear();
        if (applyClick(model, token)) lastClickSwitchOffs = model.lastSwitchOffs();
    }

    if (!options.save.isEmpty()) {
        if (const auto error = saveSetup(model, options.save)) {
            printLine(*error, stderr);
            return 1;
        }
    }

    const PictureOptions picture{model.values(), options.withBackground, options.blackWhite,
                                 options.labels};
    if (!options.output.isEmpty()) {
        switch (exportPicture(picture, options.output)) {
        case ExportResult::Written:
            break;
        case ExportResult::UnknownFormat:
            return usageError(
                QStringLiteral("format de sortie non pris en charge: %1").arg(options.output));
        case ExportResult::WriteFailed:
            printLine(messageAbout(FileOutcome::WriteError, options.output), stderr);
            return 1;
        }
    }

    const QString name = recogniseSetup(model.values());
    printLine(QStringLiteral("name: ") + name, stdout);
    printLine(QStringLiteral("elements: ") + setupText(model.values()), stdout);
    printLine(QStringLiteral("enabled: ") + setupText(model.enabledStates()), stdout);
    if (options.labels != LabelMode::None)
        printLabels(layoutLabels(model.values(), options.labels));
    if (options.explain) {
        for (const SwitchOff& removed : lastClickSwitchOffs)
            printLine(
                QStringLiteral("removed: %1 %2").arg(removed.element).arg(switchOffReason(removed)),
                stdout);
        for (const NearestSetup& nearest : nearestSetups(model.values())) {
            QStringList clicks;
            for (int k : nearest.clicks)
                clicks << QString::number(k);
            printLine(
                QStringLiteral("nearest: %1: %2").arg(nearest.name, clicks.join(QLatin1Char(','))),
                stdout);
        }
    }
    return 0;
}

} // namespace alambix::cli
