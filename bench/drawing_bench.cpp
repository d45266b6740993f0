// Cost of drawing: a full redraw, a click's whole handling, the worksheet's labelled picture and
// the vector exports.

#include "core/recognition.h"
#include "core/setupmodel.h"
#include "drawing/drawingexport.h"
#include "drawing/drawingsurface.h"
#include "drawing/picture.h"

#include <QBuffer>
#include <QGuiApplication>

#include <benchmark/benchmark.h>

using namespace alambix;

namespace {
// The busiest set-up: distillation with its thermometer (flask, column, condenser, receiver).
SetupModel* distillation() {
    static SetupModel model;
    static const bool built = [] {
        for (int index : {0, 3, 10, 9, 11})
            model.click(index);
        return true;
    }();
    (void)built;
    return &model;
}

void redrawDistillation(benchmark::State& state) {
    DrawingSurface surface;
    surface.paintBackground();
    const SetupValues values = distillation()->values();
    for (auto _ : state) {
        surface.drawSetup(values);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}
BENCHMARK(redrawDistillation)->Unit(benchmark::kMicrosecond);

void clickOnDistillation(benchmark::State& state) {
    SetupModel model;
    for (int index : {0, 3, 10, 9, 11})
        model.click(index);
    DrawingSurface surface;
    surface.paintBackground();
    for (auto _ : state) {
        // The thermometer off, then on again: each click is handled and redrawn in full.
        model.click(Thermometre);
        surface.drawSetup(model.values());
        benchmark::DoNotOptimize(recogniseSetup(model.values()));
    }
}
BENCHMARK(clickOnDistillation)->Unit(benchmark::kMicrosecond);

// The worksheet's picture: labels laid out, then the labelled drawing painted, as a copy or an
// export does it each time.
void labelledDistillation(benchmark::State& state, LabelMode mode, bool blackWhite) {
    const PictureOptions options{distillation()->values(), false, blackWhite, mode};
    for (auto _ : state) {
        const LabelLayout layout = layoutLabels(options.values, options.labels);
        const QImage image = pictureImage(options, layout);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK_CAPTURE(labelledDistillation, names, LabelMode::Names, false)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(labelledDistillation, numbers_black_white, LabelMode::Numbers, true)
    ->Unit(benchmark::kMicrosecond);

void exportTo(benchmark::State& state, ExportFormat format) {
    const SetupValues values = distillation()->values();
    for (auto _ : state) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!writeDrawing(buffer, format, values, true)) state.SkipWithError("export failed");
        benchmark::DoNotOptimize(bytes.size());
    }
}
BENCHMARK_CAPTURE(exportTo, svg, ExportFormat::Svg)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportTo, pdf, ExportFormat::Pdf)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(exportTo, png, ExportFormat::Png)->Unit(benchmark::kMillisecond);
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
