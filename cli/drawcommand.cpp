#include "cli/drawcommand.h"

#include "app/recognition.h"
#include "app/setupmodel.h"
#include "drawing/drawingexport.h"

#include <QByteArray>

#include <cstdio>
#include <optional>

namespace alambix::cli {

namespace {
void printLine(const QString& text, FILE* stream)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stream);
    std::fputc('\n', stream);
}

int usageError(const QString& message)
{
    printLine(QStringLiteral("alambix-cli draw: ") + message, stderr);
    printLine(QStringLiteral("usage: alambix-cli draw [--load FILE.C03] [--click LIST] [--save FILE.C03]\n"
                             "                        [--no-background] [--output FILE.png|FILE.svg|FILE.pdf]"),
              stderr);
    return 2;
}

struct DrawOptions {
    QString load;
    QStringList clicks;
    QString save;
    QString output;
    bool withBackground = true;
};

// Parses the options; returns an error message on a wrong argument.
std::optional<QString> parse(const QStringList& args, DrawOptions& options)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        auto value = [&](QString& target) -> std::optional<QString> {
            if (i + 1 >= args.size())
                return QStringLiteral("%1 attend une valeur").arg(arg);
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
            if (!error)
                options.clicks += list.split(QLatin1Char(','), Qt::SkipEmptyParts);
        } else if (arg == QLatin1String("--no-background"))
            options.withBackground = false;
        else
            error = QStringLiteral("option inconnue: %1").arg(arg);
        if (error)
            return error;
    }
    for (const QString& token : options.clicks) {
        if (token.trimmed() == QLatin1String("N"))
            continue;
        bool ok = false;
        const int index = token.trimmed().toInt(&ok);
        if (!ok || index < 0 || index >= ElementCount)
            return QStringLiteral("élément inconnu dans --click: %1").arg(token);
    }
    return std::nullopt;
}
} // namespace

int runDraw(const QStringList& args)
{
    DrawOptions options;
    if (const auto error = parse(args, options))
        return usageError(*error);
    if (!options.load.isEmpty() || !options.save.isEmpty())
        return usageError(QStringLiteral("--load et --save ne sont pas encore disponibles"));

    SetupModel model;
    for (const QString& token : options.clicks) {
        if (token.trimmed() == QLatin1String("N"))
            model.clearAll();
        else
            model.click(token.trimmed().toInt());
    }

    if (!options.output.isEmpty()) {
        switch (exportDrawing(model.values(), options.withBackground, options.output)) {
        case ExportResult::Written:
            break;
        case ExportResult::UnknownFormat:
            return usageError(QStringLiteral("format de sortie non pris en charge: %1").arg(options.output));
        case ExportResult::WriteFailed:
            printLine(QStringLiteral("Ecriture impossible sur disque: %1").arg(options.output), stderr);
            return 1;
        }
    }

    const QString name = recogniseSetup(model.values());
    printLine(QStringLiteral("name: ") + name, stdout);
    printLine(QStringLiteral("elements: ") + setupText(model.values()), stdout);
    printLine(QStringLiteral("enabled: ") + setupText(model.enabledStates()), stdout);
    return 0;
}

} // namespace alambix::cli
