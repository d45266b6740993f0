// Builds the starter exercise pack from its sources: each exercise of the table saved as the
// exercise editor saves one, its documents from their HTML sources with the set-ups they name
// drawn as "Insérer le schéma du montage" draws them.
//
//   alambix-makepack SOURCE_FOLDER OUTPUT_FOLDER
#include "core/setupfile.h"
#include "core/setupmodel.h"
#include "drawing/setupdrawing.h"
#include "session/exercisedraft.h"
#include "session/setuppicture.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextDocument>

#include <cstdio>

using namespace alambix;

namespace {

[[noreturn]] void fail(const QString& message) {
    std::fprintf(stderr, "alambix-makepack: %s\n", qPrintable(message));
    std::exit(1);
}

QString readText(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) fail(QStringLiteral("cannot read %1").arg(path));
    return QString::fromUtf8(file.readAll());
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

// The document of `source` into `document`, every <img src="montage:FLAGS"> the drawing of that
// set-up at the width and proportions the editor gives it.
void readDocument(const QString& source, QTextDocument& document) {
    QString html = readText(source);
    static const QRegularExpression pictures(QStringLiteral("<img src=\"montage:([01]+)\"\\s*/?>"));
    QString out;
    qsizetype done = 0;
    for (auto match = pictures.globalMatch(html); match.hasNext();) {
        const auto picture = match.next();
        const QString name = addSetupPicture(document, setupFrom(picture.captured(1)));
        out += html.mid(done, picture.capturedStart() - done);
        out += QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\">")
                   .arg(name)
                   .arg(SetupPictureWidth)
                   .arg(SetupPictureWidth * DrawingHeight / DrawingWidth);
        done = picture.capturedEnd();
    }
    out += html.mid(done);
    if (out.contains(QRegularExpression(QStringLiteral("montage:[01]"))))
        fail(QStringLiteral("a picture of %1 is not <img src=\"montage:FLAGS\">").arg(source));
    document.setHtml(out);
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
        ExerciseDraft draft;
        draft.setLevel(field[1].toInt());
        draft.setTitle(field[2]);
        draft.setNotions(field[3]);
        readDocument(source.filePath(name + ".html"), draft.statement());
        const QString correction = source.filePath(name + "-corrige.html");
        if (QFile::exists(correction)) readDocument(correction, draft.correction());
        if (field[4] != QLatin1String("-")) draft.setStatementSetup(setupFrom(field[4]));
        if (field[5] != QLatin1String("-")) draft.setCorrectionSetup(setupFrom(field[5]));
        const DraftResult saved = draft.save(output.filePath(name + ".E08"));
        if (!saved.ok()) fail(name + QStringLiteral(": ") + draftMessage(saved).text);
    }
    return 0;
}
