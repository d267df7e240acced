// The Mollier chart: one redraw of the window's 1200 x 800 chart (the goal is
// well under 30 ms), and building the chart from a new text.
#include <benchmark/benchmark.h>

#include <algorithm>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "tools/mollierform/mollierpainter.h"

namespace {

const std::string kLibrary = KELVORA_SOURCE_DIR "/assets/Common Files/RefLib8.rdf";

std::string TextFor(TRefrigLib& lib, const std::string& name)
{
    const auto& names = lib.RefrigNames();
    const auto at = std::find(names.begin(), names.end(), name);
    return std::to_string(at == names.end() ? -1 : at - names.begin()) + " 0.70 -5.000 40.000 6.00 4.00";
}

void BM_RedrawChart(benchmark::State& state, const char* name)
{
    TRefrigLib lib(kLibrary);
    const TMollierChart chart = BuildMollierChart(lib, TextFor(lib, name), cuMetric);
    QImage image(1200, 800, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        PaintMollierChart(painter, image.width(), image.height(), chart, chart.Lines.Whole);
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK_CAPTURE(BM_RedrawChart, R22, "R22")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_RedrawChart, R407C, "R407C")->Unit(benchmark::kMillisecond);

void BM_BuildChart(benchmark::State& state, const char* name)
{
    TRefrigLib lib(kLibrary);
    const std::string text = TextFor(lib, name);
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildMollierChart(lib, text, cuMetric));
}
BENCHMARK_CAPTURE(BM_BuildChart, R22, "R22")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_BuildChart, R407C, "R407C")->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Text needs a GUI application; the offscreen platform needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
