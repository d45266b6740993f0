// Builds the starter exercise pack from its sources: each document from its HTML source as an
// RTF document, with the set-ups it names drawn by our own renderer; the set-up files; and the
// exercise files that tie them together.
//
//   alambix-makepack SOURCE_FOLDER OUTPUT_FOLDER
#include "core/recordfile.h"
#include "core/safewrite.h"
#include "core/setupfile.h"
#include "core/setupmodel.h"
#include "drawing/drawingsurface.h"
#include "richtext/rtfwriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextDocument>

#include <cstdio>

using namespace alambix;

namespace {

void fail(const QString& message) {
    std::fprintf(stderr, "alambix-makepack: %s\n", qPrintable(message));
    std::exit(1);
}

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) fail(QStringLiteral("cannot read %1").arg(path));
    return QString::fromUtf8(file.readAll());
}

void write(const QString& path, const std::function<bool(QIODevice&)>& writer) {
    if (writeFileSafely(path, writer) != WriteOutcome::Written)
        fail(QStringLiteral("cannot write %1").arg(path));
}

SetupValues setupFrom(const QString& flags) {
    if (flags.size() != ElementCount ||
        flags.count(QLatin1Char('0')) + flags.count('1') != flags.size())
        fail(QStringLiteral("not a set-up: %1").arg(flags));
    // Through the model, so that a set-up the rules would not keep is noticed here.
    SetupModel model;
    applySetup(model, valuesFromFlags(flags));
    if (setupText(model.values()) != flags)
        fail(QStringLiteral("the rules do not keep the set-up %1").arg(flags));
    return model.values();
}

// The document of `source`, with every <img src="montage:FLAGS"> drawn.
void writeDocument(const QString& source, const QString& target) {
    const QString html = readText(source);
    QTextDocument document;
    static const QRegularExpression pictures(QStringLiteral("src=\"(montage:([01]+))\""));
    for (auto match = pictures.globalMatch(html); match.hasNext();) {
        const auto picture = match.next();
        DrawingSurface surface;
        surface.paintBackground();
        surface.drawSetup(setupFrom(picture.captured(2)));
        document.addResource(QTextDocument::ImageResource, QUrl(picture.captured(1)),
                             surface.image());
    }
    document.setHtml(html);
    write(target, [&](QIODevice& device) { return writeRtf(document, device); });
}

void writeSetup(const QString& flags, const QString& target) {
    const SetupValues values = setupFrom(flags);
    write(target, [&](QIODevice& device) { return alambix::writeSetup(device, values); });
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv); // fonts and pictures
    if (argc != 3) fail(QStringLiteral("usage: alambix-makepack SOURCE_FOLDER OUTPUT_FOLDER"));
    const QDir source(QString::fromLocal8Bit(argv[1]));
    const QDir output(QString::fromLocal8Bit(argv[2]));
    if (!output.mkpath(QStringLiteral(".")))
        fail(QStringLiteral("cannot make %1").arg(output.path()));

    const QStringList lines = readText(source.filePath(QStringLiteral("pack.tsv"))).split('\n');
    for (const QString& line : lines) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList field = line.split(QLatin1Char('\t'));
        if (field.size() != 6) fail(QStringLiteral("six fields expected: %1").arg(line));
        const QString& name = field[0];
        const QString statementSetup = field[4] == QLatin1String("-") ? QString() : name + ".C03";
        const QString correctionSetup =
            field[5] == QLatin1String("-") ? QString() : name + "-corrige.C03";
        const bool corrected = QFile::exists(source.filePath(name + "-corrige.html"));
        const QString correction = corrected ? name + "-corrige.rtf" : QString();

        writeDocument(source.filePath(name + ".html"), output.filePath(name + ".rtf"));
        if (corrected)
            writeDocument(source.filePath(name + "-corrige.html"), output.filePath(correction));
        if (!statementSetup.isEmpty()) writeSetup(field[4], output.filePath(statementSetup));
        if (!correctionSetup.isEmpty()) writeSetup(field[5], output.filePath(correctionSetup));

        // Records 7 to 10 hold the notions, 126 characters at most each.
        QStringList records{name + ".rtf",   statementSetup, correction,
                            correctionSetup, field[1],       QString()};
        for (int piece = 0; piece < 4; ++piece)
            records << field[3].mid(piece * RecordTextMax, RecordTextMax);
        if (field[3].size() > 4 * RecordTextMax)
            fail(QStringLiteral("notions too long: %1").arg(name));
        records << field[2];
        write(output.filePath(name + ".E08"), [&](QIODevice& device) {
            for (int number = 1; number <= records.size(); ++number)
                if (!writeRecord(device, number, records[number - 1])) return false;
            return true;
        });
    }
    return 0;
}
