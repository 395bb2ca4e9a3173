// One paint of the Talbot plot with a full carpet, 1024 recorded rows of 1024
// grid columns, offscreen at 800 x 600: the plot as built (one image per
// paint, coloured through the ramp's step table, drawn without smoothing)
// beside two references on the same carpet and panel: the image coloured
// with three pow calls per cell, and one filled rectangle per cell (the way a
// carpet would be painted cell by cell). A run of the program paints at most
// once per 30 ms tick; the plot's paint should stay well under that.

#include "experiments/TalbotRecorder.h"
#include "plots/PlotPainting.h"
#include "plots/QuantumTalbotPlotWidget.h"

#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <cmath>
#include <memory>

namespace {

constexpr int kRows = 1024;
constexpr std::uint64_t kColumns = 1024;
const QSize kPlotSize(800, 600);
// The Talbot plot's carpet panel at that size and its ramp.
const QRectF kCarpet(64.0, 30.0, 800.0 - 88.0, 0.68 * (600.0 - 104.0));
const vxo::plot::PowerRamp kRamp{{0.0, 1.0, 1.55}, {0.0, 1.0, 0.72}, {0.18, 1.25, 0.9}};

// A comb of period 5.12 on 1024 columns of 0.04, drifting and breathing from row to row.
const vxo::TalbotRecorder& talbotRecorder()
{
    static const std::unique_ptr<vxo::TalbotRecorder> recorder = [] {
        auto r = std::make_unique<vxo::TalbotRecorder>(kRows);
        vxo::ComplexField2D field(kColumns, 2, 0.04f, 0.5f);
        const auto comb = [&](int row) {
            for (std::uint64_t i = 0; i < kColumns; ++i) {
                const double x = 0.04 * (double(i) - 511.5);
                const double tooth = std::cos(2.0 * 3.141592653589793 * (x - 0.01 * row) / 5.12);
                const float amplitude = float(std::exp(-x * x / 400.0) * (1.2 + tooth * std::cos(0.05 * row)));
                field.at(i, 0) = field.at(i, 1) = vxo::Complex(amplitude, 0.0f);
            }
        };
        comb(0);
        r->configure(field, vxo::TalbotInitialState{});
        for (int row = 0; row < kRows; ++row) {
            comb(row);
            r->record(0.02 * row, field);
        }
        return r;
    }();
    return *recorder;
}

double rowMaximum(const std::vector<float>& row)
{
    double maximum = 1e-30;
    for (const float v : row)
        maximum = std::max(maximum, double(v));
    return maximum;
}

void BM_Carpet_TalbotPlotPaint(benchmark::State& state)
{
    QWidget page;
    auto* plot = new vxo::QuantumTalbotPlotWidget(&page);
    plot->resize(kPlotSize);
    plot->setRecorder(&talbotRecorder(), 1.0, 1.0);
    QImage target(kPlotSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        plot->render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_Carpet_TalbotPlotPaint)->Unit(benchmark::kMillisecond);

// Reference: the same image coloured by powerRampColour, three pow calls per cell.
void BM_Carpet_PowPerCellImage(benchmark::State& state)
{
    const std::vector<vxo::TalbotSample>& samples = talbotRecorder().samples();
    QImage target(kPlotSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        std::vector<double> maxima;
        for (const vxo::TalbotSample& s : samples)
            maxima.push_back(rowMaximum(s.xMarginal));
        const QImage carpet = vxo::plot::carpetImage(int(kColumns), kRows, [&](int c, int r) {
            return vxo::plot::powerRampColour(
                kRamp,
                vxo::plot::carpetLevel(samples[std::size_t(r)].xMarginal[std::size_t(c)], maxima[std::size_t(r)]));
        });
        QPainter painter(&target);
        vxo::plot::drawCarpet(painter, carpet, kCarpet);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_Carpet_PowPerCellImage)->Unit(benchmark::kMillisecond);

// Reference: one filled rectangle per cell, each half a pixel larger than its cell.
void BM_Carpet_RectanglePerCell(benchmark::State& state)
{
    const std::vector<vxo::TalbotSample>& samples = talbotRecorder().samples();
    const vxo::plot::PowerRampTable table(kRamp);
    QImage target(kPlotSize, QImage::Format_ARGB32_Premultiplied);
    const double cw = kCarpet.width() / double(kColumns);
    const double ch = kCarpet.height() / kRows;
    for (auto _ : state) {
        QPainter painter(&target);
        painter.setRenderHint(QPainter::Antialiasing, true);
        for (int r = 0; r < kRows; ++r) {
            const std::vector<float>& row = samples[std::size_t(r)].xMarginal;
            const double maximum = rowMaximum(row);
            for (std::uint64_t c = 0; c < kColumns; ++c)
                painter.fillRect(QRectF(kCarpet.left() + double(c) * cw, kCarpet.top() + r * ch, cw + 0.5, ch + 0.5),
                                 QColor(table.colour(row[c], maximum)));
        }
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_Carpet_RectanglePerCell)->Unit(benchmark::kMillisecond);

} // namespace
