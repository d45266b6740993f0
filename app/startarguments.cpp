#include "app/startarguments.h"

#include <QUrl>

namespace alambix {

namespace {

StartArguments usageError(const QString& error) {
    StartArguments result;
    result.action = StartArguments::Action::UsageError;
    result.error = error;
    return result;
}

} // namespace

StartArguments parseStartArguments(const QStringList& arguments) {
    StartArguments result;
    bool options = true;
    for (const QString& argument : arguments) {
        if (options && argument == QLatin1String("--")) {
            options = false;
            continue;
        }
        if (options && (argument == QLatin1String("--help") || argument == QLatin1String("-h"))) {
            result.action = StartArguments::Action::Help;
            return result;
        }
        if (options && argument == QLatin1String("--version")) {
            result.action = StartArguments::Action::Version;
            return result;
        }
        if (options && argument.startsWith(QLatin1Char('-')) && argument != QLatin1String("-"))
            return usageError(QStringLiteral("option inconnue : %1").arg(argument));
        if (argument.isEmpty()) return usageError(QStringLiteral("nom de fichier vide"));

        QString path = argument;
        if (argument.startsWith(QLatin1String("file:"), Qt::CaseInsensitive)) {
            const QUrl url(argument);
            const QString host = url.host();
            if (!url.isLocalFile() || (!host.isEmpty() && host != QLatin1String("localhost")))
                return usageError(QStringLiteral("adresse non locale : %1").arg(argument));
            path = url.toLocalFile();
        }
        const bool exercise = path.endsWith(QLatin1String(".E08"), Qt::CaseInsensitive);
        QString& slot = exercise ? result.exerciseFile : result.setupFile;
        if (!slot.isEmpty()) {
            return usageError(exercise
                                  ? QStringLiteral("un seul exercice à la fois : %1").arg(argument)
                                  : QStringLiteral("un seul montage à la fois : %1").arg(argument));
        }
        slot = path;
    }
    return result;
}

QString startUsage() {
    return QStringLiteral("Usage : alambix [MONTAGE.C03] [EXERCICE.E08]\n"
                          "Dessine les montages de verrerie du cours de chimie.\n"
                          "\n"
                          "  MONTAGE.C03    ouvre ce montage au démarrage\n"
                          "  EXERCICE.E08   ouvre cet exercice au démarrage\n"
                          "  --help, -h     affiche cette aide\n"
                          "  --version      affiche la version\n");
}

QString startVersion() {
    return QStringLiteral("Alambix %1\n").arg(QStringLiteral(ALAMBIX_VERSION));
}

} // namespace alambix
