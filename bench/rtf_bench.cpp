// Loading and saving rich-text documents: a text-heavy one (formats changing every few words,
// formulae, accents) and one full of pictures. `bench-rtf --write FOLDER` writes the generated
// documents for whole-process comparisons with other readers.
#include "richtext/rtfreader.h"
#include "richtext/rtfwriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTextDocument>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

namespace {

const QByteArray header =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman"
    "\\fcharset2 Symbol;}{\\f2\\froman\\fcharset0 Times New Roman;}}{\\colortbl ;\\red0\\green0"
    "\\blue200;\\red200\\green0\\blue0;}\\viewkind4\\uc1\n";

// About `bytes` of text with a format change every few words.
QByteArray textDocument(qsizetype bytes) {
    static const char* pieces[] = {
        "L'acide sulfurique H\\sub 2\\nosupersub SO\\sub 4\\nosupersub  r\\'e9agit ",
        "{\\b avec l'\\'e9thanol} \\'e0 chaud; ",
        "{\\i les ions Cu\\super 2+\\nosupersub  et SO\\sub 4\\nosupersub\\super 2-\\nosupersub } ",
        "{\\cf1 se forment} en solution ",
        "{\\f1 D}H = -{\\fs28 285} kJ{\\f1 \\'d7}mol\\super -1\\nosupersub  ",
        "{\\ul \\u8652? \\'e9quilibre} \\emdash  ",
        "{\\f2\\cf2 temp\\'e9rature \\'b0C} ",
    };
    QByteArray out = header;
    int n = 0;
    while (out.size() < bytes) {
        out += "\\pard\\li360\\sa120 ";
        for (int i = 0; i < 12; ++i)
            out += pieces[(n++) % 7];
        out += "\\par\n";
    }
    return out + "}";
}

// About `bytes` of pictures (PNG, 200 x 150 each) between short paragraphs.
QByteArray pictureDocument(qsizetype bytes) {
    QByteArray out = header;
    int n = 0;
    while (out.size() < bytes) {
        QImage image(200, 150, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        for (int i = 0; i < 40; ++i) {
            painter.setPen(QColor::fromHsv((n * 37 + i * 11) % 360, 200, 200));
            painter.drawLine(i * 5, 0, 200 - i * 3, 150);
        }
        painter.end();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        out += "\\pard\\qc Figure " + QByteArray::number(++n) +
               "\\par{\\pict\\pngblip\\picw200"
               "\\pich150\\picwgoal3000\\pichgoal2250 " +
               png.toHex() + "}\\par\n";
    }
    return out + "}";
}

void load(benchmark::State& state, const QByteArray& bytes) {
    for (auto _ : state) {
        QBuffer buffer;
        buffer.setData(bytes);
        buffer.open(QIODevice::ReadOnly);
        QTextDocument doc;
        if (alambix::readRtf(buffer, doc) != alambix::RtfReadError::None)
            state.SkipWithError("not read");
        benchmark::DoNotOptimize(doc.characterCount());
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void save(benchmark::State& state, const QByteArray& bytes) {
    QBuffer in;
    in.setData(bytes);
    in.open(QIODevice::ReadOnly);
    QTextDocument doc;
    alambix::readRtf(in, doc);
    for (auto _ : state) {
        QByteArray out;
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        if (!alambix::writeRtf(doc, buffer)) state.SkipWithError("not written");
        benchmark::DoNotOptimize(out.size());
    }
}

void BM_LoadText1MB(benchmark::State& state) {
    load(state, textDocument(1 << 20));
}
void BM_SaveText1MB(benchmark::State& state) {
    save(state, textDocument(1 << 20));
}
void BM_LoadPictures5MB(benchmark::State& state) {
    load(state, pictureDocument(5 << 20));
}
void BM_SavePictures5MB(benchmark::State& state) {
    save(state, pictureDocument(5 << 20));
}
BENCHMARK(BM_LoadText1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveText1MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadPictures5MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SavePictures5MB)->Unit(benchmark::kMillisecond);

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--write") == 0) {
        const QDir dir(QString::fromLocal8Bit(argv[2]));
        const bool ok =
            writeFile(dir.filePath(QStringLiteral("text-1mb.rtf")), textDocument(1 << 20)) &&
            writeFile(dir.filePath(QStringLiteral("text-10mb.rtf")), textDocument(10 << 20)) &&
            writeFile(dir.filePath(QStringLiteral("pictures-5mb.rtf")), pictureDocument(5 << 20));
        return ok ? 0 : 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
