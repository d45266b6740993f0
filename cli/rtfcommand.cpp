#include "cli/rtfcommand.h"

#include "cli/printline.h"

#include "richtext/documentexport.h"
#include "richtext/rtfreader.h"
#include "session/introtext.h"

#include <QFile>
#include <QTextDocument>

#include <cstdio>

namespace alambix::cli {

namespace {
int usageError(const QString& message) {
    printLine(QStringLiteral("alambix-cli rtf: ") + message, stderr);
    printLine(QStringLiteral("usage: alambix-cli rtf FILE "
                             "[--output OUT.rtf|OUT.html|OUT.odt|OUT.txt|OUT.pdf]\n"
                             "       alambix-cli rtf --intro [--output ...]"),
              stderr);
    return 2;
}
} // namespace

int runRtf(const QStringList& args) {
    QString input, output;
    bool intro = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--intro")) {
            intro = true;
        } else if (arg == QLatin1String("--output")) {
            if (i + 1 >= args.size()) return usageError(QStringLiteral("--output needs a file"));
            if (!output.isEmpty()) return usageError(QStringLiteral("--output given twice"));
            output = args[++i];
            if (output.isEmpty()) return usageError(QStringLiteral("--output needs a file"));
        } else if (arg.startsWith(QLatin1String("--"))) {
            return usageError(QStringLiteral("unknown option ") + arg);
        } else if (input.isEmpty()) {
            input = arg;
        } else {
            return usageError(QStringLiteral("one file only"));
        }
    }
    if (intro == !input.isEmpty()) return usageError(QStringLiteral("give either FILE or --intro"));
    std::optional<DocumentFormat> format;
    if (!output.isEmpty()) {
        format = documentFormatForPath(output);
        if (!format) return usageError(QStringLiteral("unknown output type: ") + output);
    }

    QTextDocument document;
    if (intro) {
        writeIntroduction(document);
    } else {
        QFile file(input);
        if (!file.open(QIODevice::ReadOnly) || readRtf(file, document) != RtfReadError::None) {
            printLine(QStringLiteral("Le fichier ") + input + QStringLiteral(" est introuvable"),
                      stderr);
            return 1;
        }
    }
    if (!format) {
        printLine(document.toPlainText(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    }
    if (!exportDocument(document, output, *format)) {
        printLine(QStringLiteral("Erreur d'écriture: ") + output +
                      QStringLiteral(". Vérifier l'état du lecteur et le nom du fichier."),
                  stderr);
        return 1;
    }
    return 0;
}

} // namespace alambix::cli
