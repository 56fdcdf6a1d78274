// Reading every pixel of a site's icon, once per icon.
#include "BenchGoals.h"
#include "icons/FaviconAnalysis.h"

#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// Off the interface thread, but the icon is swapped in only after it: well
// within the page's own load.
[[maybe_unused]] const bool goalsAdded = addBenchGoals({
    {"analyzeIcon/512", "", 20000, "20 ms for the largest icon"},
});

QImage syntheticIcon(int side)
{
    QImage image(side, side, QImage::Format_RGBA8888);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(30, 120, 200));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(side * 0.05, side * 0.05, side * 0.9, side * 0.9));
    return image;
}

void analyzeIcon(benchmark::State &state)
{
    const QImage icon = syntheticIcon(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(FaviconAnalysis::analyze(icon, 28));
}
BENCHMARK(analyzeIcon)->Arg(64)->Arg(512)->Unit(benchmark::kMicrosecond);

} // namespace
